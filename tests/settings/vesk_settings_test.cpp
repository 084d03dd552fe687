#include "settings/vesk_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/memory_settings_backend.h"
#include "settings/settings_catalog.h"
#include "text/encoding.h"

namespace vesk {
namespace {

// Fails every write once a budget of successful writes is used up.
class CFailingBackend : public CMemorySettingsBackend {
 public:
  int writesLeft = 1000;
  bool WriteString(const std::string& k, const std::string& n, const std::string& v) override {
    if (writesLeft-- <= 0) return false;
    return CMemorySettingsBackend::WriteString(k, n, v);
  }
};

TEST(VeskSettings, EmptyStoreGivesTheDefaultsAndTheFirstReadCreatesTheRootKey) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  EXPECT_FALSE(b.KeyExists(""));
  EXPECT_EQ(s.GetTag(), 0);
  EXPECT_TRUE(b.KeyExists(""));
  EXPECT_TRUE(b.KeyExists("Settings\\Data"));
  EXPECT_EQ(s.GetAuto(), 1);
  EXPECT_EQ(s.GetBannerTemplate(1), ResString(kIdsDefaultBanner));
  EXPECT_EQ(ToUtf8(s.GetBannerTemplate(1)),
            "<IMG src=\"xxx.png\" alt=\"\" align=\"middle\" border=\"0\" width=\"200\" "
            "height=\"40\">");
  EXPECT_EQ(s.GetBannerTemplate(2), "");
  EXPECT_EQ(s.GetBannerTemplate(3), "");
  EXPECT_EQ(s.GetCoolData(), "");
  EXPECT_EQ(s.GetLinkFlag(), 0x300);
  EXPECT_EQ(
      ToUtf8(s.GetGenreList()),
      "ニュース\tスポーツ\t旅行\tコンピュータ\t車\tバイク\tゲーム\tCG\tグルメ\t映画\t音楽\t地域"
      "\t小説・散文\t");
  EXPECT_EQ(s.GetOpen(), 0);
  EXPECT_EQ(s.GetTail(), 1);
  EXPECT_EQ(s.GetUserAgent(), 0);
  EXPECT_EQ(s.GetDeepscout(), "");
  for (int p = 0; p <= 8; ++p) EXPECT_EQ(s.GetHeader(p), 0x1000 + p);
  EXPECT_EQ(s.GetGridLine(), 0);
  EXPECT_EQ(s.GetColumnWidth(3, 75), 75);
  EXPECT_EQ(s.GetWindowValue("x"), 80);
  EXPECT_EQ(s.GetWindowValue("y"), 80);
  EXPECT_EQ(s.GetWindowValue("cx"), 550);
  EXPECT_EQ(s.GetWindowValue("cy"), 360);
  EXPECT_EQ(s.GetWindowValue("ps1cx"), 120);
  EXPECT_EQ(s.GetWindowValue("ps1cy"), 100);
  EXPECT_EQ(s.GetSearchWords(), "");
  EXPECT_EQ(s.GetSearchMode(), 0x200);
  EXPECT_EQ(s.GetRecentFile(1), "");
  EXPECT_EQ(s.GetPreviewPages(), 0);
  EXPECT_TRUE(b.KeyExists("Settings\\ListView"));
  EXPECT_TRUE(b.KeyExists("Settings\\Window"));
  EXPECT_TRUE(b.KeyExists("Recent File List"));
}

TEST(VeskSettings, WritesAreReadBackAndMarkTextsIgnoreTheNameSpelling) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  s.SetCoolData("<img src=cool.gif>");
  s.SetHotData("hot");
  s.SetCheckData("\x83\x60\x83\x46\x83\x62\x83\x4E");  // "チェック"
  EXPECT_TRUE(b.ReadString("Settings\\Data", "Cooldata").has_value());
  EXPECT_EQ(s.MarkText(1), "<img src=cool.gif>");
  EXPECT_EQ(s.MarkText(2), "hot");
  EXPECT_EQ(s.MarkText(3), "\x83\x60\x83\x46\x83\x62\x83\x4E");
  EXPECT_EQ(s.MarkText(0), "");
  EXPECT_EQ(s.MarkText(4), "");
  // A value written by hand as "CoolData" is the same value.
  b.WriteString("Settings\\Data", "COOLDATA", "again");
  EXPECT_EQ(s.MarkText(1), "again");

  s.SetTag(1);
  s.SetAuto(0);
  s.SetLinkFlag(0x2700);
  s.SetOpen(1);
  s.SetTail(0);
  s.SetUserAgent(1);
  s.SetGridLine(1);
  s.SetSearchMode(0x1900);
  s.SetDeepscout("/opt/ds/ds.exe");
  s.SetWindowValue("cx", 1024);
  s.SetWindowValue("x", -8);  // a window on a monitor left of the main one
  EXPECT_EQ(s.GetTag(), 1);
  EXPECT_EQ(s.GetAuto(), 0);
  EXPECT_EQ(s.GetLinkFlag(), 0x2700);
  EXPECT_EQ(s.GetOpen(), 1);
  EXPECT_EQ(s.GetTail(), 0);
  EXPECT_EQ(s.GetUserAgent(), 1);
  EXPECT_EQ(s.GetGridLine(), 1);
  EXPECT_EQ(s.GetSearchMode(), 0x1900);
  EXPECT_EQ(s.GetDeepscout(), "/opt/ds/ds.exe");
  EXPECT_EQ(s.GetWindowValue("CX"), 1024);
  EXPECT_EQ(s.GetWindowValue("x"), -8);
  EXPECT_EQ(b.ReadDword("Settings\\Window", "x"), 0xFFFFFFF8u);
  // A value of the wrong type reads as the default.
  b.WriteString("Settings\\Data", "auto", "0");
  EXPECT_EQ(s.GetAuto(), 1);
}

TEST(VeskSettings, WritingNoValueDeletesSoTheDefaultComesBack) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  s.SetBannerTemplate(1, "mine");
  s.SetBannerTemplate(2, "two");
  EXPECT_EQ(s.GetBannerTemplate(1), "mine");
  s.SetBannerTemplate(1, std::nullopt);
  EXPECT_FALSE(b.ReadString("Settings\\Data", "BannerTemplate").has_value());
  EXPECT_EQ(s.GetBannerTemplate(1), ResString(kIdsDefaultBanner));
  // An empty template 2 is stored as empty and stays empty.
  s.SetBannerTemplate(2, std::string());
  EXPECT_EQ(b.ReadString("Settings\\Data", "BannerTemplate2"), "");
  EXPECT_EQ(s.GetBannerTemplate(2), "");
  // An empty genre list is a stored value, not the default.
  s.SetGenreList("");
  EXPECT_EQ(s.GetGenreList(), "");
}

TEST(VeskSettings, SearchWordsKeepTenAndStopAtTheFirstGap) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  std::string eleven;
  for (int i = 0; i < 11; ++i) eleven += (i ? "\t" : "") + std::string("w") + std::to_string(i);
  EXPECT_TRUE(s.SetSearchWords(eleven));
  EXPECT_EQ(s.GetSearchWords(), "w0\tw1\tw2\tw3\tw4\tw5\tw6\tw7\tw8\tw9");
  EXPECT_FALSE(b.ReadString("Search", "word10").has_value());
  // Fewer words leave the later positions as they were; the reader stops at the first empty one.
  EXPECT_TRUE(s.SetSearchWords("a\tb\tc\t"));
  EXPECT_EQ(b.ReadString("Search", "word3"), "");
  EXPECT_EQ(b.ReadString("Search", "word4"), "w4");
  EXPECT_EQ(s.GetSearchWords(), "a\tb\tc");
  b.DeleteValue("Search", "word3");
  EXPECT_EQ(s.GetSearchWords(), "a\tb\tc");
}

TEST(VeskSettings, SearchWordWriteStopsAtTheFirstFailure) {
  CFailingBackend b;
  CVeskSettings s(b);
  s.SetSearchWords("old0\told1\told2\told3");
  b.writesLeft = 2;
  EXPECT_FALSE(s.SetSearchWords("n0\tn1\tn2\tn3"));
  EXPECT_EQ(s.GetSearchWords(), "n0\tn1\told2\told3");
}

TEST(VeskSettings, RecentFileListIsRewrittenWhole) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  const std::string four[4] = {"/a.knd", "/b.knd", "/c.knd", "/d.knd"};
  s.WriteRecentFiles(four);
  EXPECT_EQ(s.GetRecentFile(4), "/d.knd");
  b.WriteString("Recent File List", "Stray", "x");
  const std::string two[4] = {"/new.knd", "", "/c.knd", ""};
  s.WriteRecentFiles(two);
  EXPECT_EQ(s.GetRecentFile(1), "/new.knd");
  EXPECT_FALSE(b.ReadString("Recent File List", "File2").has_value());
  EXPECT_EQ(s.GetRecentFile(3), "/c.knd");
  EXPECT_FALSE(b.ReadString("Recent File List", "File4").has_value());
  EXPECT_FALSE(b.ReadString("Recent File List", "Stray").has_value());
  EXPECT_EQ(s.GetRecentFile(0), "");
  EXPECT_EQ(s.GetRecentFile(5), "");
}

TEST(VeskSettings, ColumnLayoutAndWidthsUseNumberedNames) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  s.SetHeader(2, 0x0005);  // column 5 at position 2, hidden
  EXPECT_EQ(b.ReadDword("Settings\\ListView", "Header2"), 5u);
  EXPECT_EQ(s.GetHeader(2), 5);
  EXPECT_EQ(s.GetHeader(3), 0x1003);
  s.SetColumnWidth(0, 333);
  EXPECT_EQ(b.ReadDword("Settings\\ListView", "LC0"), 333u);
  EXPECT_EQ(s.GetColumnWidth(0, 120), 333);
  EXPECT_EQ(s.GetColumnWidth(1, 120), 120);
  s.SetPreviewPages(4);
  EXPECT_EQ(s.GetPreviewPages(), 4);
  s.SetWindowValue("max", 1);
  s.SetWindowValue("ps2cx", 300);
  EXPECT_EQ(b.ReadDword("Settings\\Window", "ps2cx"), 300u);
}

TEST(SettingsCatalog, FindsKnownNamesInAnyCaseAndRefusesOthers) {
  auto e = FindSettingsEntry("settings\\data", "COOLDATA");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->section, "Settings\\Data");
  EXPECT_EQ(e->name, "CoolData");
  EXPECT_EQ(e->type, SettingsType::String);
  auto h = FindSettingsEntry("Settings\\ListView", "header8");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->name, "Header8");
  EXPECT_EQ(h->index, 8);
  EXPECT_EQ(h->type, SettingsType::Dword);
  EXPECT_TRUE(FindSettingsEntry("Search", "word9"));
  EXPECT_TRUE(FindSettingsEntry("recent file list", "file1"));
  EXPECT_TRUE(FindSettingsEntry("Settings", "PreviewPages"));
  EXPECT_TRUE(FindSettingsEntry("Settings\\Window", "ps2cy"));
  EXPECT_FALSE(FindSettingsEntry("Settings\\ListView", "Header9"));
  EXPECT_FALSE(FindSettingsEntry("Settings\\ListView", "Header"));
  EXPECT_FALSE(FindSettingsEntry("Settings\\ListView", "Header01"));
  EXPECT_FALSE(FindSettingsEntry("Settings\\ListView", "Header-1"));
  EXPECT_FALSE(FindSettingsEntry("Search", "word10"));
  EXPECT_FALSE(FindSettingsEntry("Recent File List", "File0"));
  EXPECT_FALSE(FindSettingsEntry("Recent File List", "File5"));
  EXPECT_FALSE(FindSettingsEntry("Settings\\Data", "Mode"));  // known, but in another section
  EXPECT_FALSE(FindSettingsEntry("Settings/Data", "tag"));
  EXPECT_FALSE(FindSettingsEntry("Settings\\Data", "nothing"));
  EXPECT_EQ(AllSettingsEntries().size(),
            13u + 2u + 9u + 1u + 9u + 9u + 10u + 1u + 4u + 1u + 2u + 1u);
}

// The catalog's defaults must be the ones the program's own readers use.
TEST(SettingsCatalog, DefaultsAgreeWithTheTypedReaders) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  using Reader = std::function<std::string()>;
  auto num = [](int v) { return std::to_string(static_cast<std::uint32_t>(v)); };
  std::map<std::string, Reader> readers = {
      {"tag", [&] { return num(s.GetTag()); }},
      {"auto", [&] { return num(s.GetAuto()); }},
      {"BannerTemplate", [&] { return s.GetBannerTemplate(1); }},
      {"BannerTemplate2", [&] { return s.GetBannerTemplate(2); }},
      {"BannerTemplate3", [&] { return s.GetBannerTemplate(3); }},
      {"CoolData", [&] { return s.GetCoolData(); }},
      {"HotData", [&] { return s.GetHotData(); }},
      {"CheckData", [&] { return s.GetCheckData(); }},
      {"linkflag", [&] { return num(s.GetLinkFlag()); }},
      {"GenreList", [&] { return s.GetGenreList(); }},
      {"open", [&] { return num(s.GetOpen()); }},
      {"tail", [&] { return num(s.GetTail()); }},
      {"userAgent", [&] { return num(s.GetUserAgent()); }},
      {"Deepscout", [&] { return s.GetDeepscout(); }},
      {"GridLine", [&] { return num(s.GetGridLine()); }},
      {"Mode", [&] { return num(s.GetSearchMode()); }},
      {"PreviewPages", [&] { return num(s.GetPreviewPages()); }},
      {"Jobs", [&] { return num(s.GetLinkCheckJobs()); }},
      {"Timeout", [&] { return num(s.GetLinkCheckTimeout()); }},
      {"Favorites", [&] { return s.GetFavoritesFolder(); }},
      {"DevToolsPort", [&] { return num(s.GetDevToolsPort()); }},
  };
  for (const char* w : {"x", "y", "cx", "cy", "ps1cx", "ps1cy", "max", "ps2cx", "ps2cy"})
    readers[w] = [&, w] { return num(s.GetWindowValue(w)); };
  for (int i = 0; i <= 8; ++i) {
    readers["Header" + std::to_string(i)] = [&, i] { return num(s.GetHeader(i)); };
    readers["lc" + std::to_string(i)] = [&, i] {
      return num(s.GetColumnWidth(i, ColumnDefaultWidth(i)));
    };
  }
  int checked = 0;
  for (const auto& e : AllSettingsEntries()) {
    auto it = readers.find(e.name);
    if (it == readers.end()) continue;
    std::string def =
        e.type == SettingsType::Dword ? std::to_string(DefaultDword(e, s)) : DefaultString(e);
    EXPECT_EQ(def, it->second()) << e.section << "\\" << e.name;
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(readers.size()));
}

TEST(SettingsCatalog, ColumnWidthDefaultFollowsTheShownColumns) {
  CMemorySettingsBackend b;
  CVeskSettings s(b);
  auto lc = [&](int n) {
    return DefaultDword(*FindSettingsEntry("Settings\\ListView", "lc" + std::to_string(n)), s);
  };
  EXPECT_EQ(ColumnDefaultWidth(0), 120);
  EXPECT_EQ(ColumnDefaultWidth(4), 200);
  EXPECT_EQ(ColumnDefaultWidth(7), 100);
  EXPECT_EQ(lc(1), 120u);
  EXPECT_EQ(lc(2), 75u);
  EXPECT_EQ(lc(4), 200u);
  // Hide column 1 (position 1): position 1 of the widths is now column 2.
  s.SetHeader(1, 0x0001);
  EXPECT_EQ(lc(1), 75u);
  EXPECT_EQ(lc(8), 0u);  // only eight columns shown
}

}  // namespace
}  // namespace vesk
