// The checks that dialogs run on OK, with the messages they show when a field is refused.
#pragma once

#include <optional>
#include <string>

namespace vesk {

// nullopt when text (Shift_JIS) has at most limit bytes, else the message
// "%1 文字以内で入力してください。" with the limit (Shift_JIS).
std::optional<std::string> CheckTextLimit(const std::string& text, std::size_t limit);

// The whole number in text (spaces around it allowed), or nullopt.
std::optional<int> ParseInteger(const std::string& text);

// The number in text when it is a whole number from low to high; otherwise message holds
// "整数を入力してください。" or "%1 から %2 までの整数を入力してください。" (Shift_JIS).
std::optional<int> CheckIntegerRange(const std::string& text, int low, int high,
                                     std::string& message);

}  // namespace vesk
