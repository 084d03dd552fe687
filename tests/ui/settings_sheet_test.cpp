#include "ui/logic/settings_sheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"
#include "text/encoding.h"
#include "ui/logic/genre_list_edit.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

// Records the name of every write and deletion, in order.
class CRecordingBackend : public CMemorySettingsBackend {
 public:
  std::vector<std::string> writes;
  bool WriteDword(const std::string& k, const std::string& n, std::uint32_t v) override {
    writes.push_back(n);
    return CMemorySettingsBackend::WriteDword(k, n, v);
  }
  bool WriteString(const std::string& k, const std::string& n, const std::string& v) override {
    writes.push_back(n);
    return CMemorySettingsBackend::WriteString(k, n, v);
  }
  bool DeleteValue(const std::string& k, const std::string& n) override {
    writes.push_back("-" + n);
    return CMemorySettingsBackend::DeleteValue(k, n);
  }
};

std::vector<std::string> Texts(const std::vector<GenreRow>& rows) {
  std::vector<std::string> out;
  for (const GenreRow& r : rows) out.push_back(ToUtf8(r.text));
  return out;
}

TEST(SettingsSheet, OkWritesEveryValueInTheSheetsOrderAndUnopenedPagesKeepWhatWasRead) {
  CRecordingBackend b;
  CVeskSettings s(b);
  // Values the sheet's controls could not show as they are: they survive an unopened page.
  s.SetTag(7);
  s.SetLinkFlag(0x300 | 0x1 | 0x80000);
  s.SetGenreList("a\t\tb");  // an empty row and no final TAB
  s.SetHeader(4, 0x0004);
  s.SetTail(5);
  s.SetBannerTemplate(2, std::string());
  s.SetFavoritesFolder("/home/u/\xF0\x9F\x98\x80 fav");  // no Shift_JIS form
  b.writes.clear();

  const SetupValues read = SetupValues::Read(s);
  EXPECT_TRUE(b.writes.empty());  // reading writes nothing
  read.Write(s);
  EXPECT_THAT(b.writes, ElementsAre("tag", "auto", "Deepscout", "Favorites", "BannerTemplate",
                                    "BannerTemplate2", "BannerTemplate3", "Cooldata", "Hotdata",
                                    "Checkdata", "linkflag", "GenreList", "GridLine", "Header0",
                                    "Header1", "Header2", "Header3", "Header4", "Header5",
                                    "Header6", "Header7", "Header8", "open", "tail", "userAgent"));
  EXPECT_EQ(s.GetTag(), 7);
  EXPECT_EQ(s.GetAuto(), 1);
  EXPECT_EQ(s.GetLinkFlag(), 0x300 | 0x1 | 0x80000);
  EXPECT_EQ(s.GetGenreList(), "a\t\tb");
  EXPECT_EQ(s.GetHeader(4), 0x0004);
  EXPECT_EQ(s.GetHeader(8), 0x1008);
  EXPECT_EQ(s.GetTail(), 5);
  EXPECT_EQ(s.GetFavoritesFolder(), "/home/u/\xF0\x9F\x98\x80 fav");
  EXPECT_EQ(b.ReadString("Settings\\Data", "BannerTemplate2"), std::string());
  // The mark texts are written under their other spelling and read back under the first; an
  // emptied template 1 is deleted so that its default comes back, 2 and 3 stay empty.
  SetupValues marks = read;
  marks.mark[0] = "<b>cool</b>";
  marks.banner[0] = "";
  marks.banner[2] = "";
  b.writes.clear();
  marks.Write(s);
  EXPECT_EQ(b.writes[4], "-BannerTemplate");
  EXPECT_EQ(s.MarkText(1), "<b>cool</b>");
  EXPECT_FALSE(b.ReadString("Settings\\Data", "BannerTemplate"));
  EXPECT_EQ(s.GetBannerTemplate(1), ResString(kIdsDefaultBanner));
  EXPECT_EQ(b.ReadString("Settings\\Data", "BannerTemplate3"), std::string());
  // An emptied Favorites folder is removed, not stored as an empty path.
  marks.favoritesFolder.clear();
  marks.Write(s);
  EXPECT_FALSE(b.ReadString("Settings\\Files", "Favorites"));
}

TEST(SettingsSheet, KeywordPageOpensAndClosesByTheStoredFormats) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  s.SetLinkFlag(0x2000 | 0x400 | 0x1);
  s.SetGenreList(ToCp932("ニュース\t\tCG\t"));
  s.SetHeader(1, 0x0005);  // banner hidden, listed first
  s.SetHeader(5, 0x1001);  // URL moved to position 5
  s.SetGridLine(3);
  SetupValues v = SetupValues::Read(s);
  SetupPage4State page = OpenSetupPage4(v);
  EXPECT_THAT(page.boxes, ElementsAre(false, false, true, false, true));
  EXPECT_THAT(Texts(page.genres), ElementsAre("ニュース", "", "CG"));
  EXPECT_TRUE(page.gridLine);
  ASSERT_EQ(page.columns.size(), 8u);
  EXPECT_EQ(page.columns[0].column, 5);
  EXPECT_FALSE(page.columns[0].shown);
  EXPECT_EQ(ToUtf8(page.columns[0].title), "バナー");
  EXPECT_EQ(page.columns[4].column, 1);
  EXPECT_EQ(ToUtf8(page.columns[4].title), "URL");

  // Closing: unticking URL hides it in its place, the title column stays first and shown, the
  // flag word keeps only the boxes' bits, and the grid flag becomes 0 or 1.
  page.columns[4].shown = false;
  page.boxes[0] = true;
  page.genres.push_back({"x", false});
  CloseSetupPage4(page, v);
  EXPECT_EQ(v.linkFlag, 0x100 | 0x2000 | 0x400);
  EXPECT_EQ(v.genreList, ToCp932("ニュース\t\tCG\tx\t"));
  EXPECT_EQ(v.gridLine, 1);
  EXPECT_THAT(v.header,
              ElementsAre(0x1000, 0x0005, 0x1002, 0x1003, 0x1004, 0x0001, 0x1006, 0x1007, 0x1008));
  v.Write(s);
  EXPECT_EQ(s.GetHeader(5), 0x0001);
  EXPECT_EQ(s.GetHeader(0), 0x1000);
}

TEST(SettingsSheet, GenreListSplitsAtTabsWhileTextRemains) {
  EXPECT_TRUE(SplitGenreList("").empty());
  EXPECT_THAT(Texts(SplitGenreList("\t")), ElementsAre(""));
  EXPECT_THAT(Texts(SplitGenreList("a\tb")), ElementsAre("a", "b"));
  EXPECT_EQ(SplitGenreList(ResString(kIdsDefaultGenres)).size(), 13u);
  EXPECT_EQ(JoinGenreList(SplitGenreList(ResString(kIdsDefaultGenres))),
            ResString(kIdsDefaultGenres));
}

TEST(SettingsSheet, BrokenColumnLayoutStillListsEveryColumnOnce) {
  // Hand-edited values: a column twice, the title column, a number beyond the table.
  int header[kListColumnCount] = {0x1000, 0x1003, 0x1003, 0x1000, 0x1042, 0x0002, 0, 0, 0};
  const std::vector<ColumnRow> rows = ColumnRowsFromLayout(header);
  std::vector<int> columns;
  for (const ColumnRow& r : rows) columns.push_back(r.column);
  EXPECT_THAT(columns, ElementsAre(3, 2, 1, 4, 5, 6, 7, 8));
  EXPECT_FALSE(rows[1].shown);
  EXPECT_TRUE(rows[2].shown);
  LayoutFromColumnRows(rows, header);
  EXPECT_THAT(header,
              ElementsAre(0x1000, 0x1003, 0x0002, 0x1001, 0x1004, 0x1005, 0x1006, 0x1007, 0x1008));
}

TEST(SettingsSheet, RegisteringGenresFollowsTheBlankLimitAndDuplicateRules) {
  std::vector<GenreRow> rows = SplitGenreList(ToCp932("スポーツ\tCG\t"));
  std::string edit;
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Nothing);

  edit = " \t  ";
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Blank);
  EXPECT_EQ(edit, "");
  EXPECT_EQ(ToUtf8(GenreRegisterMessage(GenreRegister::Blank)), "空白は、登録できません。");

  // Half-width spaces and TABs go, full-width spaces stay; letters match without case, but
  // double-byte characters whose second byte is a letter must not be folded.
  edit = ToCp932("ス ポ\tーツ");
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Duplicate);
  EXPECT_EQ(edit, "");
  EXPECT_EQ(ToUtf8(GenreRegisterMessage(GenreRegister::Duplicate)), "同一ジャンルがあります。");
  edit = "c g";
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Duplicate);
  edit = ToCp932("ス");
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Added);
  edit = ToCp932("全\u3000角");
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Added);
  EXPECT_THAT(Texts(rows), ElementsAre("スポーツ", "CG", "ス", "全\u3000角"));
  // "ア" is 0x83 0x41: a character whose second byte is 'a' instead of 'A' is another one.
  rows = SplitGenreList(ToCp932("ア\t"));
  edit = "\x83\x61";
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Added);

  // The 101st genre is refused, whatever it is; deleting one makes room again.
  rows.clear();
  for (int i = 0; i < 100; ++i) rows.push_back({"g" + std::to_string(i), false});
  edit = "new";
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Full);
  EXPECT_EQ(ToUtf8(GenreRegisterMessage(GenreRegister::Full)),
            "これ以上ジャンルの登録はできません。");
  edit = "g5";
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Full);  // the limit is checked first
  EXPECT_EQ(rows.size(), 100u);
  rows[3].ticked = rows[99].ticked = rows[0].ticked = true;
  EXPECT_EQ(DeleteTickedGenres(rows), 3u);
  ASSERT_EQ(rows.size(), 97u);
  EXPECT_EQ(rows.front().text, "g1");
  EXPECT_EQ(rows[2].text, "g4");
  EXPECT_EQ(rows.back().text, "g98");
  edit = "new";
  EXPECT_EQ(RegisterGenre(rows, edit), GenreRegister::Added);
}

}  // namespace
}  // namespace vesk
