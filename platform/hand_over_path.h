// A path in the form another program of this system takes in a message: Windows programs of the
// Shift_JIS world read the native form (backslashes) in code page 932.
#pragma once

#include <string>

namespace vesk::platform {

// The path (the file system's bytes) as a hand-over carries it: on Windows with backslashes in
// CP932, elsewhere unchanged. False when the path has no such form (a character CP932 lacks);
// a receiver would open another file, so the caller must not send it.
bool HandOverPath(const std::string& path, std::string& out);

}  // namespace vesk::platform
