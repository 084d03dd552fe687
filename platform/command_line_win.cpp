#include "platform/command_line_win.h"

#include "platform/windows_path_win.h"

namespace vesk::platform {

namespace {

// One argument by the rules of the C runtime's parser: quotes around it when it has a blank or
// a quote (or is empty), quotes escaped, and backslashes doubled only before a quote.
void AppendQuoted(const std::wstring& arg, std::wstring& line) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += arg;
    return;
  }
  line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

}  // namespace

bool BuildCommandLine(const std::vector<std::string>& args, std::wstring& line) {
  line.clear();
  for (std::size_t i = 0; i < args.size(); ++i) {
    // The program's name is a path and gets the system's separators; the arguments stay as
    // given.
    std::wstring wide;
    if (!(i == 0 ? ToWidePath(args[i], wide) : ToWide(args[i], wide))) return false;
    if (i > 0) line += L' ';
    AppendQuoted(wide, line);
  }
  return true;
}

}  // namespace vesk::platform
