#include "cli/terminal_text.h"

namespace vesk::cli {

std::string TerminalText(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
      out += '?';
    } else if (c == 0xC2 && i + 1 < utf8.size() &&
               static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      out += '?';  // U+0080-U+009F: CSI and its kin in eight bits
      ++i;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

std::string TerminalField(const std::string& utf8) {
  std::string out = TerminalText(utf8);
  for (char& c : out)
    if (c == '\t' || c == '\n') c = ' ';
  return out;
}

}  // namespace vesk::cli
