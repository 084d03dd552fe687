#include "ui/logic/field_validation.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "resources/string_table.h"

namespace vesk {

namespace {
constexpr int kMsgNotInteger = 61712;
constexpr int kMsgIntegerRange = 61714;
constexpr int kMsgTextTooLong = 61716;

std::string Replace(std::string text, const std::string& mark, const std::string& value) {
  const std::size_t at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), value);
  return text;
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::optional<std::string> CheckTextLimit(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return std::nullopt;
  return ResFormat(kMsgTextTooLong, std::to_string(limit));
}

std::optional<int> ParseInteger(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsSpace(text[b])) ++b;
  while (e > b && IsSpace(text[e - 1])) --e;
  if (b == e) return std::nullopt;
  const std::string core = text.substr(b, e - b);
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(core.c_str(), &end, 10);
  if (end == core.c_str() || *end != '\0' || errno == ERANGE || value < INT_MIN ||
      value > INT_MAX) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

std::optional<int> CheckIntegerRange(const std::string& text, int low, int high,
                                     std::string& message) {
  auto value = ParseInteger(text);
  if (!value) {
    message = ResString(kMsgNotInteger);
    return std::nullopt;
  }
  if (*value < low || *value > high) {
    message = Replace(Replace(ResString(kMsgIntegerRange), "%1", std::to_string(low)), "%2",
                      std::to_string(high));
    return std::nullopt;
  }
  message.clear();
  return value;
}

}  // namespace vesk
