// Field checks shared by every dialog, and the checks of the document's own dialogs, without any
// toolkit: each returns the message to show (Shift_JIS), or nothing when the value is accepted.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "document/user_interface.h"

namespace vesk {

// A failed check: the message and the control that keeps the focus.
struct FieldError {
  int control = 0;
  std::string message;
};

// "%1 文字以内で入力してください。" when text has more than limit bytes.
std::optional<std::string> CheckTextLimit(const std::string& text, std::size_t limit);
// Reads a number field: optional blanks, an optional sign, digits, optional blanks.
std::optional<int> ParseIntField(const std::string& text);
// "整数を入力してください。" for no number, "%1 から %2 までの整数を入力してください。" outside
// min..max; value receives the number when it is accepted.
std::optional<std::string> CheckIntRange(const std::string& text, int min, int max, int& value);

// HTML output settings (dialog 201): template and folder 260, extension 20, links per page
// 5..99 given as the text of its field. On success links receives the number.
std::optional<FieldError> CheckHtmlSettings(const FILEINFO& fields, const std::string& linksText,
                                            int& links);
// Category information (dialog 205): name 256, file name 256, comment 512.
std::optional<FieldError> CheckCategoryFields(const CategoryFields& fields);
// Search dialog (dialog 204): OK takes at most 256 bytes.
std::optional<FieldError> CheckFindText(const std::string& text);

}  // namespace vesk
