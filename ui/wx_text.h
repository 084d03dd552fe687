// Conversions at the edge between the program's Shift_JIS text and the toolkit's strings.
#pragma once

#include <wx/string.h>

#include <string>

#include "text/encoding.h"

namespace vesk {

// Shift_JIS bytes to a toolkit string.
inline wxString Cp932ToWx(const std::string& cp932) { return wxString::FromUTF8(ToUtf8(cp932)); }
// A toolkit string to Shift_JIS bytes.
inline std::string WxToCp932(const wxString& text) { return ToCp932(text.utf8_string()); }
// A file-system path (UTF-8 bytes) to a toolkit string and back.
inline wxString FromPath(const std::string& path) { return wxString::FromUTF8(path); }
inline std::string ToPath(const wxString& text) { return text.utf8_string(); }
// A UTF-8 literal of our own source to a toolkit string.
inline wxString U8(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace vesk
