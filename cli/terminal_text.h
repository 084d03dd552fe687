// Text that vesk-cli prints for a person at a terminal: what comes from a document, a browser or
// the file system may hold control characters that a terminal would obey.
#pragma once

#include <string>

namespace vesk::cli {

// utf8 with every control character but TAB and LF (C0, DEL and the C1 range U+0080-U+009F)
// replaced by '?', so nothing printed can move the cursor, retitle or clear the terminal.
std::string TerminalText(const std::string& utf8);

// TerminalText for one field of a tab-separated line: TAB and LF become spaces as well.
std::string TerminalField(const std::string& utf8);

}  // namespace vesk::cli
