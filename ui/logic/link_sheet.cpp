#include "ui/logic/link_sheet.h"

#include <algorithm>
#include <cstdlib>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/vesk_settings.h"
#include "text/cp932_text.h"
#include "text/encoding.h"

namespace vesk {

const SearchTargetBox kSearchTargetBoxes[5] = {
    {1019, 0x100}, {1020, 0x200}, {1021, 0x2000}, {1022, 0x4000}, {1023, 0x400}};

std::string FitToByteLimit(const std::string& text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width =
        IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return text.substr(0, end);
}

namespace {

// Length of the UTF-8 character that starts at text[at] (1 for a stray byte).
std::size_t Utf8Length(const std::string& text, std::size_t at) {
  const unsigned char c = static_cast<unsigned char>(text[at]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  return at + n <= text.size() ? n : 1;
}

// Shift_JIS bytes of one UTF-8 character; 0 when it has no Shift_JIS form.
std::size_t Cp932Bytes(const std::string& utf8Char) {
  if (utf8Char == "\n") return 2;  // stored as CR LF
  std::string cp932;
  return Utf8ToCp932(utf8Char, cp932) ? cp932.size() : 0;
}

}  // namespace

std::string KeepTypedText(std::size_t otherBytes, const std::string& typedUtf8, std::size_t limit) {
  std::size_t used = otherBytes;
  std::size_t end = 0;
  while (end < typedUtf8.size()) {
    const std::size_t length = Utf8Length(typedUtf8, end);
    const std::size_t bytes = Cp932Bytes(typedUtf8.substr(end, length));
    if (bytes == 0 || used + bytes > limit) break;
    used += bytes;
    end += length;
  }
  return typedUtf8.substr(0, end);
}

std::size_t FieldBytes(const std::string& utf8) {
  // A character without a Shift_JIS form would be stored as one '?'; LF is stored as CR LF.
  return ToCp932(utf8).size() +
         static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '\n'));
}

std::string MarkPreview(CVeskSettings& settings, int mark) {
  return mark >= 1 && mark <= 3 ? settings.MarkText(mark) : std::string();
}

std::string ReplaceFirstTitle(const std::string& templ, const std::string& title) {
  // '$' is never the second byte of a Shift_JIS character, so a plain search is safe.
  std::string out = templ;
  std::string::size_type at = out.find("$Title");
  if (at != std::string::npos) out.replace(at, 6, title);
  return out;
}

std::string BannerFromTemplate(CVeskSettings& settings, int n, const std::string& title) {
  return ReplaceFirstTitle(settings.GetBannerTemplate(n), title);
}

std::optional<int> ParseDateField(const std::string& text, int min, int max, std::string& message) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const std::size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  const std::size_t end = i;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (end == digits || i != text.size()) {
    message = ResString(kIdsParseInt);
    return std::nullopt;
  }
  // More than nine digits cannot be in any date range and would not fit an int.
  const int value = end - digits > 9 ? max + 1 : std::atoi(text.substr(start, end - start).c_str());
  if (value < min || value > max) {
    message = ResFormat(kIdsIntRange, std::to_string(min));
    std::string::size_type at = message.find("%2");
    if (at != std::string::npos) message.replace(at, 2, std::to_string(max));
    return std::nullopt;
  }
  return value;
}

namespace {

std::vector<std::string> SplitTabs(const std::string& text) {
  std::vector<std::string> pieces;
  std::string::size_type from = 0;
  for (;;) {
    std::string::size_type tab = text.find('\t', from);
    if (tab == std::string::npos) {
      pieces.push_back(text.substr(from));
      return pieces;
    }
    pieces.push_back(text.substr(from, tab - from));
    from = tab + 1;
  }
}

}  // namespace

KeywordPageState OpenKeywordPage(const std::string& keywordField, const std::string& genreList,
                                 int flags) {
  KeywordPageState page;
  const std::vector<std::string> pieces =
      keywordField.empty() ? std::vector<std::string>() : SplitTabs(keywordField);
  std::vector<std::string> names;
  std::size_t i = 0;
  for (; i < pieces.size() && !pieces[i].empty(); ++i) names.push_back(pieces[i]);
  // pieces[i] is the empty piece that ends the genres; the keywords follow it.
  for (int k = 0; k < kKeywordEdits && i + 1 + k < pieces.size(); ++k)
    page.keywords[k] = pieces[i + 1 + k];
  if (!genreList.empty()) {
    for (const std::string& genre : SplitTabs(genreList)) {
      if (genre.empty()) continue;  // the list ends in a TAB
      page.genres.push_back(genre);
      bool tick = false;
      for (const std::string& name : names) tick = tick || name == genre;
      page.ticked.push_back(tick);
    }
  }
  for (int b = 0; b < 5; ++b) page.boxes[b] = (flags & kSearchTargetBoxes[b].bit) != 0;
  return page;
}

void CloseKeywordPage(const KeywordPageState& page, std::string& keywordField, int& flags) {
  std::string field;
  for (std::size_t g = 0; g < page.genres.size(); ++g)
    if (g < page.ticked.size() && page.ticked[g]) field += page.genres[g] + '\t';
  for (const std::string& typed : page.keywords) {
    std::string word;
    for (char c : typed)
      if (c != '\t' && c != ' ') word += c;
    if (!word.empty()) field += '\t' + word;
  }
  keywordField = field;
  flags = 0;
  for (int b = 0; b < 5; ++b)
    if (page.boxes[b]) flags |= kSearchTargetBoxes[b].bit;
}

LinkSheetValues LinkSheetValues::Load(const LinkFields& f) {
  LinkSheetValues v;
  v.title = f.title;
  v.url = f.url;
  v.admin = f.admin;
  v.email = f.email;
  v.comment = f.comment;
  v.banner = f.banner;
  v.mark = f.mark;
  v.year = f.year;
  v.month = f.month;
  v.day = f.day;
  v.bannerBase = f.bannerBase;
  v.keywordField = f.keywords;
  v.flags = f.flags;
  v.genreList = f.genreList;
  return v;
}

void LinkSheetValues::OpenKeywords() {
  if (keywordPageOpened) return;
  keywordPage = OpenKeywordPage(keywordField, genreList, flags);
  keywordPageOpened = true;
}

void LinkSheetValues::Save(LinkFields& f) const {
  f.title = title;
  f.url = url;
  f.admin = admin;
  f.email = email;
  f.comment = comment;
  f.banner = banner;
  f.mark = mark;
  f.year = year;
  f.month = month;
  f.day = day;
  f.keywords = keywordField;
  f.flags = flags;
  if (keywordPageOpened) CloseKeywordPage(keywordPage, f.keywords, f.flags);
}

}  // namespace vesk
