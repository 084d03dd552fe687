#include "ui/logic/link_sheet.h"

#include <gtest/gtest.h>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"
#include "text/encoding.h"

namespace vesk {
namespace {

const std::string kNews = ToCp932("ニュース");
const std::string kTravel = ToCp932("旅行");
const std::string kGenres = kNews + "\t" + ToCp932("スポーツ") + "\t" + kTravel + "\t";

LinkFields SampleLink() {
  LinkFields f;
  f.title = ToCp932("題名");
  f.url = "http://a.example/";
  f.admin = ToCp932("管理者");
  f.email = "a@example.org";
  f.comment = "line1\nline2";
  f.banner = "<IMG src=\"a.gif\">";
  f.keywords = kNews + "\t" + kTravel + "\t\tA\tB";
  f.year = 2001;
  f.month = 3;
  f.day = 7;
  f.mark = 2;
  f.flags = 0x300 | 0x1 | 0x80000;  // bits without a box survive only while the page is unopened
  f.genreList = kGenres;
  f.bannerBase = "/web/html";
  return f;
}

TEST(LinkSheet, LoadAndSaveKeepEveryFieldWhenTheKeywordPageIsNotOpened) {
  const LinkFields in = SampleLink();
  LinkSheetValues v = LinkSheetValues::Load(in);
  LinkFields out;
  out.genreList = "unchanged";
  v.Save(out);
  EXPECT_EQ(out.title, in.title);
  EXPECT_EQ(out.url, in.url);
  EXPECT_EQ(out.admin, in.admin);
  EXPECT_EQ(out.email, in.email);
  EXPECT_EQ(out.comment, in.comment);
  EXPECT_EQ(out.banner, in.banner);
  EXPECT_EQ(out.keywords, in.keywords);
  EXPECT_EQ(out.year, 2001);
  EXPECT_EQ(out.month, 3);
  EXPECT_EQ(out.day, 7);
  EXPECT_EQ(out.mark, 2);
  EXPECT_EQ(out.flags, in.flags);
  EXPECT_EQ(out.genreList, "unchanged");  // the sheet never writes the genre list
}

TEST(LinkSheet, KeywordPageOpensAndClosesByTheFieldFormat) {
  LinkSheetValues v = LinkSheetValues::Load(SampleLink());
  v.OpenKeywords();
  const KeywordPageState& page = v.keywordPage;
  ASSERT_EQ(page.genres.size(), 3u);
  EXPECT_EQ(page.ticked, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(page.keywords[0], "A");
  EXPECT_EQ(page.keywords[1], "B");
  EXPECT_EQ(page.keywords[2], "");
  EXPECT_TRUE(page.boxes[0]);   // 0x100 カテゴリー
  EXPECT_TRUE(page.boxes[1]);   // 0x200 題名
  EXPECT_FALSE(page.boxes[2]);  // 0x2000
  v.keywordPage.keywords[2] = " web design \t";
  v.keywordPage.boxes[4] = true;  // 0x400 コメント
  LinkFields out;
  v.Save(out);
  EXPECT_EQ(out.keywords, kNews + "\t" + kTravel + "\t\tA\tB\twebdesign");
  EXPECT_EQ(out.flags, 0x100 | 0x200 | 0x400);  // rebuilt from the boxes alone

  // TAB, A: no genre, keyword 1 = A. Five keywords: the fifth is dropped on closing.
  KeywordPageState p = OpenKeywordPage("\tA", kGenres, 0);
  EXPECT_EQ(p.ticked, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(p.keywords[0], "A");
  p = OpenKeywordPage("\tA\tB\tC\tD\tE", kGenres, 0);
  std::string field;
  int flags = -1;
  CloseKeywordPage(p, field, flags);
  EXPECT_EQ(field, "\tA\tB\tC\tD");
  EXPECT_EQ(flags, 0);
  // A, TAB, B without the empty piece: two genre names, none in the list, so nothing remains.
  p = OpenKeywordPage("A\tB", kGenres, 0);
  CloseKeywordPage(p, field, flags);
  EXPECT_EQ(field, "");
  // A genre equal only in part or in letter case is not ticked.
  p = OpenKeywordPage(ToCp932("ニュ") + "\t\t", kGenres, 0);
  EXPECT_EQ(p.ticked, (std::vector<bool>{false, false, false}));
}

TEST(LinkSheet, LimitsTemplatesMarksAndDates) {
  const std::string kanji = ToCp932("漢");           // two bytes
  EXPECT_EQ(FitToByteLimit("ab" + kanji, 3), "ab");  // never half a character
  EXPECT_EQ(FitToByteLimit("ab" + kanji, 4), "ab" + kanji);
  EXPECT_EQ(FitToByteLimit(std::string(300, 'x'), kLinkTextLimit).size(), 256u);
  // Typing into an edit: whole characters up to the limit, never past a character the field
  // cannot hold; a line break takes the two bytes of CR LF.
  EXPECT_EQ(KeepTypedText(250, "abc漢字", 256), "abc漢");
  EXPECT_EQ(KeepTypedText(253, "漢x", 256), "漢x");
  EXPECT_EQ(KeepTypedText(0,
                          "a\xF0\x9F\x98\x80"
                          "b",
                          256),
            "a");  // an emoji has no Shift_JIS form
  EXPECT_EQ(KeepTypedText(509, "x\ny", kLinkCommentLimit), "x\n");
  EXPECT_EQ(KeepTypedText(300, "a", 256), "");  // a longer loaded text only shrinks
  EXPECT_EQ(FieldBytes("a\n漢"), 5u);

  CMemorySettingsBackend backend;
  CVeskSettings settings(backend);
  EXPECT_EQ(BannerFromTemplate(settings, 1, "T"), ResString(kIdsDefaultBanner));
  settings.SetBannerTemplate(2, std::string("<A title=\"$Title\">$Title</A>"));
  EXPECT_EQ(BannerFromTemplate(settings, 2, kanji), "<A title=\"" + kanji + "\">$Title</A>");
  settings.SetCoolData("COOL");
  EXPECT_EQ(MarkPreview(settings, 1), "COOL");
  EXPECT_EQ(MarkPreview(settings, 0), "");

  std::string message;
  EXPECT_EQ(ParseDateField(" 2035 ", kYearMin, kYearMax, message), 2035);
  EXPECT_FALSE(ParseDateField("2036", kYearMin, kYearMax, message));
  EXPECT_EQ(ToUtf8(message), "1980 から 2035 までの整数を入力してください。");
  EXPECT_FALSE(ParseDateField("99999999999999", kDayMin, kDayMax, message));
  EXPECT_EQ(ToUtf8(message), "1 から 31 までの整数を入力してください。");
  EXPECT_FALSE(ParseDateField("3a", kMonthMin, kMonthMax, message));
  EXPECT_EQ(ToUtf8(message), "整数を入力してください。");
  EXPECT_FALSE(ParseDateField("", kMonthMin, kMonthMax, message));
}

}  // namespace
}  // namespace vesk
