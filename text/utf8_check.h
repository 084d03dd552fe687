// Whether bytes are well-formed UTF-8, for names from the file system that must go where only
// UTF-8 is taken (desktop entries, the toolkit's own command line).
#pragma once

#include <string_view>

namespace vesk {

// Strict: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool IsValidUtf8(std::string_view bytes);

}  // namespace vesk
