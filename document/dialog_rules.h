// Field checks shared by every dialog, and the checks of the document's own dialogs, without any
// toolkit: each returns the message to show (Shift_JIS), or nothing when the value is accepted.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "document/find_history.h"
#include "document/user_interface.h"

namespace vesk {

// A text field of the document's own dialogs: the id of its control and its limit in bytes. The
// rules check with these and the dialogs build their controls with them.
struct DialogField {
  int control;
  std::size_t limit;
};
// HTML output settings (dialog 201).
inline constexpr DialogField kHtmlTemplateField{1000, 260};
inline constexpr DialogField kHtmlFolderField{1001, 260};
inline constexpr int kHtmlLinksPerPageControl = 1002;  // a number, 5..99
inline constexpr DialogField kHtmlExtensionField{1003, 20};
// Category information (dialog 205); the name is also the limit of a rename in the tree.
inline constexpr DialogField kCategoryNameField{1000, 256};
inline constexpr DialogField kCategoryFileNameField{1001, 256};
inline constexpr DialogField kCategoryCommentField{1002, 512};
// Search dialog (dialog 204).
inline constexpr DialogField kFindTextField{1010, kFindTextLimit};

// A failed check: the message and the control that keeps the focus.
struct FieldError {
  int control = 0;
  std::string message;
};

// Byte limits of the link sheet's texts (Shift_JIS bytes), also kept by what makes links.
constexpr std::size_t kLinkTextLimit = 256;  // title, URL, administrator, e-mail, banner

// "%1 文字以内で入力してください。" when text has more than limit bytes.
std::optional<std::string> CheckTextLimit(const std::string& text, std::size_t limit);
// The limit check of one field, naming its control.
std::optional<FieldError> CheckField(const DialogField& field, const std::string& text);
// Reads a number field: optional blanks, an optional sign, digits, optional blanks.
std::optional<int> ParseIntField(const std::string& text);
// "整数を入力してください。" for no number, "%1 から %2 までの整数を入力してください。" outside
// min..max; value receives the number when it is accepted.
std::optional<std::string> CheckIntRange(const std::string& text, int min, int max, int& value);

// HTML output settings (dialog 201), links per page given as the text of its field. On success
// links receives the number.
std::optional<FieldError> CheckHtmlSettings(const FILEINFO& fields, const std::string& linksText,
                                            int& links);
// Category information (dialog 205).
std::optional<FieldError> CheckCategoryFields(const CategoryFields& fields);
// Search dialog (dialog 204): the text OK takes.
std::optional<FieldError> CheckFindText(const std::string& text);

}  // namespace vesk
