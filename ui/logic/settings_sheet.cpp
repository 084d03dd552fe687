#include "ui/logic/settings_sheet.h"

#include <algorithm>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/vesk_settings.h"
#include "ui/logic/link_sheet.h"

namespace vesk {

namespace {
constexpr int kFirstListedColumn = 1;
}  // namespace

SetupValues SetupValues::Read(CVeskSettings& settings) {
  SetupValues v;
  v.tag = settings.GetTag();
  v.autoNames = settings.GetAuto();
  v.searchProgram = settings.GetDeepscout();
  v.favoritesFolder = settings.GetFavoritesFolder();
  for (int n = 0; n < 3; ++n) v.banner[n] = settings.GetBannerTemplate(n + 1);
  v.mark[0] = settings.GetCoolData();
  v.mark[1] = settings.GetHotData();
  v.mark[2] = settings.GetCheckData();
  v.linkFlag = settings.GetLinkFlag();
  v.genreList = settings.GetGenreList();
  v.gridLine = settings.GetGridLine();
  for (int i = 0; i < kListColumnCount; ++i) v.header[i] = settings.GetHeader(i);
  v.open = settings.GetOpen();
  v.tail = settings.GetTail();
  v.userAgent = settings.GetUserAgent();
  return v;
}

void SetupValues::Write(CVeskSettings& settings) const {
  settings.SetTag(tag);
  settings.SetAuto(autoNames);
  settings.SetDeepscout(searchProgram);
  settings.SetFavoritesFolder(favoritesFolder);
  // An empty template 1 is removed so that its default comes back; 2 and 3 may stay empty.
  settings.SetBannerTemplate(1, banner[0].empty() ? std::optional<std::string>{} : banner[0]);
  settings.SetBannerTemplate(2, banner[1]);
  settings.SetBannerTemplate(3, banner[2]);
  settings.SetCoolData(mark[0]);
  settings.SetHotData(mark[1]);
  settings.SetCheckData(mark[2]);
  settings.SetLinkFlag(linkFlag);
  settings.SetGenreList(genreList);
  settings.SetGridLine(gridLine);
  for (int i = 0; i < kListColumnCount; ++i) settings.SetHeader(i, header[i]);
  settings.SetOpen(open);
  settings.SetTail(tail);
  settings.SetUserAgent(userAgent);
}

std::vector<GenreRow> SplitGenreList(const std::string& genreList) {
  std::vector<GenreRow> rows;
  std::size_t start = 0;
  while (start < genreList.size()) {
    // TAB is never the second byte of a double-byte character.
    std::size_t tab = genreList.find('\t', start);
    if (tab == std::string::npos) tab = genreList.size();
    rows.push_back({genreList.substr(start, tab - start), false});
    start = tab + 1;
  }
  return rows;
}

std::string JoinGenreList(const std::vector<GenreRow>& rows) {
  std::string out;
  for (const GenreRow& row : rows) out += row.text + '\t';
  return out;
}

namespace {

std::string ColumnTitle(int column) {
  const std::string text = ResString(kIdsColumnBase + column);
  const std::size_t comma = text.find(',');
  return comma == std::string::npos ? text : text.substr(comma + 1);
}

}  // namespace

std::vector<ColumnRow> ColumnRowsFromLayout(const int (&header)[kListColumnCount]) {
  std::vector<ColumnRow> rows;
  bool listed[kListColumnCount] = {};
  for (int position = kFirstListedColumn; position < kListColumnCount; ++position) {
    const int column = header[position] & 0xFF;
    if (column < kFirstListedColumn || column >= kListColumnCount || listed[column]) continue;
    listed[column] = true;
    rows.push_back({column, (header[position] & kColumnShownBit) != 0, ColumnTitle(column)});
  }
  for (int column = kFirstListedColumn; column < kListColumnCount; ++column) {
    if (!listed[column]) rows.push_back({column, true, ColumnTitle(column)});
  }
  return rows;
}

void LayoutFromColumnRows(const std::vector<ColumnRow>& rows, int (&header)[kListColumnCount]) {
  header[0] = kColumnShownBit;
  for (std::size_t i = 0; i < rows.size() && i + 1 < kListColumnCount; ++i) {
    header[i + 1] = rows[i].column + (rows[i].shown ? kColumnShownBit : 0);
  }
}

SetupPage4State OpenSetupPage4(const SetupValues& values) {
  SetupPage4State page;
  for (int b = 0; b < 5; ++b) page.boxes[b] = (values.linkFlag & kSearchTargetBoxes[b].bit) != 0;
  page.genres = SplitGenreList(values.genreList);
  page.gridLine = values.gridLine != 0;
  page.columns = ColumnRowsFromLayout(values.header);
  return page;
}

void CloseSetupPage4(const SetupPage4State& page, SetupValues& values) {
  int flags = 0;
  for (int b = 0; b < 5; ++b)
    if (page.boxes[b]) flags |= kSearchTargetBoxes[b].bit;
  values.linkFlag = flags;
  values.genreList = JoinGenreList(page.genres);
  values.gridLine = page.gridLine ? 1 : 0;
  LayoutFromColumnRows(page.columns, values.header);
}

}  // namespace vesk
