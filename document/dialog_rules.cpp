#include "document/dialog_rules.h"

#include <climits>

#include "document/find_history.h"
#include "document/link_info.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/leading_number.h"

namespace vesk {
namespace {

std::string ReplaceArg(std::string text, const std::string& marker, const std::string& arg) {
  std::size_t at = text.find(marker);
  if (at != std::string::npos) text.replace(at, marker.size(), arg);
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<std::string> CheckTextLimit(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return std::nullopt;
  return ResFormat(kIdsTextLimit, std::to_string(limit));
}

std::optional<int> ParseIntField(const std::string& text) {
  const DecimalScan scan = ScanDecimal(text, NumberLead::BlanksAndSign);
  if (!scan.hasDigits) return std::nullopt;
  std::size_t i = scan.end;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return std::nullopt;
  const long long value = static_cast<long long>(scan.magnitude);
  if (scan.negative ? value > static_cast<long long>(INT_MAX) + 1 : value > INT_MAX) {
    return std::nullopt;
  }
  return static_cast<int>(scan.negative ? -value : value);
}

std::optional<std::string> CheckIntRange(const std::string& text, int min, int max, int& value) {
  std::optional<int> parsed = ParseIntField(text);
  if (!parsed) return ResString(kIdsParseInt);
  if (*parsed < min || *parsed > max) {
    return ReplaceArg(ResFormat(kIdsIntRange, std::to_string(min)), "%2", std::to_string(max));
  }
  value = *parsed;
  return std::nullopt;
}

std::optional<FieldError> CheckField(const DialogField& field, const std::string& text) {
  if (auto m = CheckTextLimit(text, field.limit)) return FieldError{field.control, *m};
  return std::nullopt;
}

std::optional<FieldError> CheckHtmlSettings(const FILEINFO& fields, const std::string& linksText,
                                            int& links) {
  // Checked in the order of the dialog's fields.
  if (auto e = CheckField(kHtmlTemplateField, fields.m_strTemplate)) return e;
  if (auto e = CheckField(kHtmlFolderField, fields.m_strHtmlFolder)) return e;
  if (auto m = CheckIntRange(linksText, 5, 99, links))
    return FieldError{kHtmlLinksPerPageControl, *m};
  return CheckField(kHtmlExtensionField, fields.m_strHtmlExt);
}

std::optional<FieldError> CheckCategoryFields(const CategoryFields& fields) {
  if (auto e = CheckField(kCategoryNameField, fields.title)) return e;
  if (auto e = CheckField(kCategoryFileNameField, fields.fileName)) return e;
  return CheckField(kCategoryCommentField, fields.comment);
}

std::optional<FieldError> CheckFindText(const std::string& text) {
  return CheckField(kFindTextField, text);
}

}  // namespace vesk
