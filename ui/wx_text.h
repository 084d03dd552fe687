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
// A file-system path (UTF-8 bytes, '/' between names) to a toolkit string and back. On Windows
// the toolkit shows and returns paths with '\\'; the program keeps '/' whatever the system, so a
// path from a dialog names its file the same way as one from the command line.
inline wxString FromPath(const std::string& path) {
  wxString text = wxString::FromUTF8(path);
#ifdef _WIN32
  text.Replace("/", "\\");
#endif
  return text;
}
inline std::string ToPath(const wxString& text) {
  std::string path = text.utf8_string();
#ifdef _WIN32
  for (char& c : path)
    if (c == '\\') c = '/';
#endif
  return path;
}
// A UTF-8 literal of our own source to a toolkit string.
inline wxString U8(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace vesk
