// What the link property sheet does apart from drawing: limits, the mark preview, the banner
// templates, the date checks and the opening and closing of the keyword page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/dialog_rules.h"
#include "document/user_interface.h"

namespace vesk {

class CVeskSettings;

// Byte limits of the sheet's texts (Shift_JIS bytes); the title's and others' is kLinkTextLimit.
constexpr std::size_t kLinkCommentLimit = 512;
constexpr std::size_t kKeywordLimit = 20;
constexpr int kKeywordEdits = 4;

// Date ranges of the spin controls and their edits.
constexpr int kYearMin = 1980, kYearMax = 2035;
constexpr int kMonthMin = 1, kMonthMax = 12;
constexpr int kDayMin = 1, kDayMax = 31;

// The five search-target check boxes (controls 1019..1023) and their bits, in control order.
struct SearchTargetBox {
  int controlId;
  int bit;
};
extern const SearchTargetBox kSearchTargetBoxes[5];

// The longest start of text within limit bytes that does not end inside a double-byte
// character: what an edit with that limit keeps of typed or pasted text.
std::string FitToByteLimit(const std::string& text, std::size_t limit);

// What an edit limited to limit Shift_JIS bytes keeps of text typed or pasted (UTF-8, as the
// toolkit gives it) where otherBytes bytes of text stay around it: the longest start whose
// characters all have a Shift_JIS form and fit whole. A line break counts as CR LF, as it is
// stored.
std::string KeepTypedText(std::size_t otherBytes, const std::string& typedUtf8, std::size_t limit);
// The Shift_JIS bytes an edit's text (UTF-8, line breaks as LF) takes in the field.
std::size_t FieldBytes(const std::string& utf8);

// Text of the mark preview beside the drop-down: the configured mark text for 1..3, else empty.
std::string MarkPreview(CVeskSettings& settings, int mark);

// Banner template n (1..3) with its first "$Title" replaced by title.
std::string BannerFromTemplate(CVeskSettings& settings, int n, const std::string& title);
std::string ReplaceFirstTitle(const std::string& templ, const std::string& title);

// Checks a date edit's text: a whole number in [min, max]. nullopt and message (Shift_JIS,
// string 61712 or 61714) when it is not.
std::optional<int> ParseDateField(const std::string& text, int min, int max, std::string& message);

// The keyword page's controls, as the page shows them.
struct KeywordPageState {
  std::vector<std::string> genres;  // check list entries, in genre-list order
  std::vector<bool> ticked;         // one per entry
  std::string keywords[kKeywordEdits];
  bool boxes[5] = {};  // search-target check boxes, in kSearchTargetBoxes order
};

// Opening the page from the link's keyword field and flag word and the document's genre list.
KeywordPageState OpenKeywordPage(const std::string& keywordField, const std::string& genreList,
                                 int flags);
// Closing it: the keyword field (ticked genres each with a TAB, then TAB + each keyword with its
// TABs and half-width spaces removed) and the flag word rebuilt from the boxes alone.
void CloseKeywordPage(const KeywordPageState& page, std::string& keywordField, int& flags);

// The values the sheet holds while it is open, loaded from and saved to the link's fields.
struct LinkSheetValues {
  std::string title, url, admin, email, comment, banner;
  int mark = 0, year = 0, month = 0, day = 0;
  std::string bannerBase;
  std::string keywordField;  // kept as loaded until the keyword page is opened and closed
  int flags = 0;
  std::string genreList;
  bool keywordPageOpened = false;
  KeywordPageState keywordPage;  // valid once opened

  static LinkSheetValues Load(const LinkFields& fields);
  // Writes every value back; the genre list and banner base are left as they were.
  void Save(LinkFields& fields) const;
  // The keyword page is shown: its controls are filled from the held values.
  void OpenKeywords();
};

}  // namespace vesk
