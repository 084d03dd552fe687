// The program's numbered string table; texts come back as Shift_JIS.
#pragma once

#include <string>

namespace vesk {

// The text of string id, in Shift_JIS; empty for an unknown id.
std::string ResString(int id);
// The text of string id in UTF-8 (for the terminal and the toolkit).
std::string ResStringUtf8(int id);
// Replaces every "%1" in the text of id by arg (Shift_JIS).
std::string ResFormat(int id, const std::string& arg);

}  // namespace vesk
