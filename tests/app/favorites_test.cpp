#include "app/favorites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "document/veskdoc.h"
#include "support/doc_fixture.h"
#include "support/temp_folder.h"
#include "support/view_recorder.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBadName = "ファイル名に使用できない文字が有ります。";

class FavoritesTest : public DocFixture {
 protected:
  FavoritesTest() {
    doc.AddView(&log);
    doc.SelectCategory(Top(), true);
  }
  ~FavoritesTest() override { doc.RemoveView(&log); }

  LINKINFO* AddLinkTo(LINKINFO* parent, const std::string& utf8Title, const std::string& url) {
    LINKINFO* link = AddLink(parent, ToCp932(utf8Title));
    link->m_strURL = url;
    return link;
  }
  void Shortcut(const std::string& path, const std::string& url) {
    fs::create_directories(FsPath(path).parent_path());
    WriteBytes(path, "[InternetShortcut]\r\nURL=" + url + "\r\n");
  }
  bool Said(const std::string& utf8) {
    for (const auto& m : ui.messages)
      if (m.Utf8().find(utf8) != std::string::npos) return true;
    return false;
  }
  bool OnFavoritesImportAnswered(MbResult answer) {
    ui.answers.push_back(answer);
    return OnFavoritesImport(doc, Fav());
  }
  std::string Fav() { return dir.File("fav"); }
  std::string Out(const std::string& rest) { return Fav() + "/Kestrelnest/" + rest; }

  ViewRecorder log;
};

// The tree of a Favorites folder, with everything the import must leave out, arrives under the
// work box as one undo group; Undo takes all of it back.
TEST_F(FavoritesTest, ImportTakesTheTreeAsOneUndoGroupAndSkipsWhatIsNoBookmark) {
  Shortcut(Fav() + "/Top.url", "http://top/");
  Shortcut(Fav() + "/a.b.url", "http://ab/");
  Shortcut(Fav() + "/Site.URL", "http://capital/");  // the extension is matched exactly
  WriteBytes(Fav() + "/empty.url", "[InternetShortcut]\r\nIconIndex=1\r\n");  // no URL
  WriteBytes(Fav() + "/notes.txt", "URL=http://no/\r\n");
  Shortcut(Fav() + "/ニュース/日本語.url", "http://news/");
  Shortcut(Fav() + "/ニュース/Kestrelnest/dup.url", "http://dup/");  // skipped at any depth
  Shortcut(Fav() + "/Kestrelnest/Top Category/dup.url", "http://dup/");
  fs::create_directories(Fav() + "/Empty");
#ifndef _WIN32                                           // Wine cannot create symbolic links
  fs::create_directory_symlink(Fav(), Fav() + "/loop");  // never followed
  fs::create_symlink(Fav() + "/Top.url", Fav() + "/linked.url");
#endif

  const std::size_t before = doc.GetNodeList().size();
  ASSERT_TRUE(OnFavoritesImportAnswered(MbResult::Ok));
  LINKINFO* box = doc.GetWorkBox();
  EXPECT_EQ(doc.GetCurrent(), box);
  ASSERT_NE(Child(box, "Top"), nullptr);
  EXPECT_EQ(Child(box, "Top")->m_strURL, "http://top/");
  EXPECT_EQ(Child(box, "Top")->m_nKind, 1);
  ASSERT_NE(Child(box, "a.b"), nullptr);
  LINKINFO* news = Child(box, "ニュース");
  ASSERT_NE(news, nullptr);
  EXPECT_TRUE(news->IsCategory());
  ASSERT_EQ(Children(news).size(), 1u);
  EXPECT_EQ(Children(news)[0]->m_strTitle, ToCp932("日本語"));
  ASSERT_NE(Child(box, "Empty"), nullptr);
  EXPECT_TRUE(Children(Child(box, "Empty")).empty());
  // Top, a.b, ニュース with its link, Empty: nothing else.
  EXPECT_EQ(doc.GetNodeList().size(), before + 5);
  for (LINKINFO* n : doc.GetNodeList()) EXPECT_NE(n->m_strURL, "http://dup/");

  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_FALSE(doc.CanUndo());

  // With the work box current already, its list is still shown again with the new links.
  doc.SelectCategory(box, true);
  log.hints.clear();
  ASSERT_TRUE(ImportFavorites(doc, Fav()));
  const std::vector<int> codes = log.Codes();
  EXPECT_NE(std::find(codes.begin(), codes.end(), kHintShowCategory), codes.end());
}

TEST_F(FavoritesTest, ImportAsksFirstAndRefusesAFolderItCannotRead) {
  Shortcut(Fav() + "/Top.url", "http://top/");
  const std::size_t before = doc.GetNodeList().size();
  EXPECT_FALSE(OnFavoritesImportAnswered(MbResult::Cancel));
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].Utf8(), "お気に入りからリンク先を入力します。");
  EXPECT_EQ(ui.messages[0].buttons, MbButtons::OkCancel);
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_FALSE(doc.CanUndo());

  EXPECT_FALSE(ImportFavorites(doc, dir.File("missing")));
  EXPECT_EQ(ui.messages.back().icon, MbIcon::Stop);
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(FavoritesTest, TheNodeLimitEndsTheImportAndKeepsWhatWasMade) {
  while (doc.GetNodeList().size() < kMaxNodes - 1) AddLink(doc.GetTrash(), "filler");
  Shortcut(Fav() + "/a.url", "http://a/");
  Shortcut(Fav() + "/b.url", "http://b/");
  EXPECT_FALSE(ImportFavorites(doc, Fav()));
  EXPECT_NE(Child(doc.GetWorkBox(), "a"), nullptr);
  EXPECT_TRUE(Said("これ以上カテゴリー/リンク先を追加できません。"));
  doc.OnEditUndo();
  EXPECT_EQ(Child(doc.GetWorkBox(), "a"), nullptr);
}

// Byte-exact new files, the URL key alone replaced in an existing one, cleaned names, the later
// of two equal names winning, and the first folder level named after the exported category.
TEST_F(FavoritesTest, ExportWritesShortcutsBelowTheCategoryFolder) {
  LINKINFO* hobby = AddCategory(Top(), ToCp932("趣味"));
  AddLinkTo(Top(), "a/b:c", "http://abc/");
  AddLinkTo(Top(), "Same", "http://first/");
  AddLinkTo(Top(), "Same", "http://second/");
  AddLinkTo(hobby, "登山", "http://mountain/");
  AddLinkTo(Top(), "Kept", "http://new/");
  fs::create_directories(Out("Top Category"));
  WriteBytes(Out("Top Category/Kept.url"),
             "[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\r\nURL=http://old/\r\n"
             "IconIndex=3\r\n");

  ASSERT_TRUE(RunFavoritesExport(doc, Fav(), kFavoritesTopCategory)) << ui.messages.back().Utf8();
  EXPECT_EQ(ReadBytes(Out("Top Category/a_b_c.url")), "[InternetShortcut]\r\nURL=http://abc/\r\n");
  EXPECT_EQ(ReadBytes(Out("Top Category/Same.url")),
            "[InternetShortcut]\r\nURL=http://second/\r\n");
  EXPECT_EQ(ReadBytes(Out("Top Category/趣味/登山.url")),
            "[InternetShortcut]\r\nURL=http://mountain/\r\n");
  EXPECT_EQ(ReadBytes(Out("Top Category/Kept.url")),
            "[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\r\nURL=http://new/\r\n"
            "IconIndex=3\r\n");
  EXPECT_EQ(ui.messages.back().Utf8(), "お気に入りにリンク先を書き込みました。");
  EXPECT_EQ(ui.messages.back().icon, MbIcon::Information);

  // Option 3: the selected category alone, its subcategories left out.
  doc.SelectCategory(hobby, true);
  AddCategory(hobby, "Deeper");
  fs::remove_all(Fav() + "/Kestrelnest/趣味");
  ASSERT_TRUE(RunFavoritesExport(doc, Fav(), kFavoritesCurrent));
  EXPECT_TRUE(fs::exists(FsPath(Out("趣味/登山.url"))));
  EXPECT_FALSE(fs::exists(FsPath(Out("趣味/Deeper"))));
}

TEST_F(FavoritesTest, OptionZeroMakesTheFolderAndTheOthersNeedIt) {
  AddLinkTo(Top(), "x", "http://x/");
  ASSERT_FALSE(RunFavoritesExport(doc, Fav(), kFavoritesWorkBox));
  EXPECT_EQ(ui.messages.back().Utf8(), "お気に入りに「Kestrelnest」フォルダがありません。");
  EXPECT_EQ(ui.messages.back().icon, MbIcon::None);
  EXPECT_FALSE(fs::exists(Fav()));

  ASSERT_TRUE(RunFavoritesExport(doc, Fav(), kFavoritesFolderOnly));
  EXPECT_EQ(ui.messages.back().Utf8(), "お気に入りに「Kestrelnest」フォルダを作成しました。");
  EXPECT_TRUE(fs::is_directory(Fav() + "/Kestrelnest"));
  EXPECT_TRUE(fs::is_empty(Fav() + "/Kestrelnest"));

  // A file in the folder's place: the creation fails and is not reported as done.
  WriteBytes(dir.File("file"), "x");
  ASSERT_FALSE(RunFavoritesExport(doc, dir.File("file"), kFavoritesFolderOnly));
  EXPECT_EQ(ui.messages.back().icon, MbIcon::Stop);
}

// Names that cleaning leaves unusable and planted links are refused with the bad-file-name
// message; nothing is written outside the export folder, the rest is still written, and
// success is not claimed.
TEST_F(FavoritesTest, HostileNamesAndLinksAreRefusedAndNothingLandsOutside) {
  LINKINFO* dots = AddCategory(Top(), "..");
  AddLinkTo(dots, "escaped", "http://escaped/");
  AddLinkTo(Top(), "", "http://empty/");
  AddLinkTo(Top(), ".", "http://dot/");
  AddLinkTo(Top(), "../../evil", "http://cleaned/");  // cleaned, stays inside
  AddLinkTo(Top(), "planted", "http://planted/");
  LINKINFO* linked = AddCategory(Top(), "linked");
  AddLinkTo(linked, "through", "http://through/");
  AddLinkTo(Top(), "ok", "http://ok/");
  fs::create_directories(Out("Top Category"));
  fs::create_directories(dir.File("outside"));
  WriteBytes(dir.File("outside/target"), "keep");
#ifndef _WIN32  // Wine cannot create symbolic links
  fs::create_symlink(dir.File("outside/target"), Out("Top Category/planted.url"));
  fs::create_directory_symlink(dir.File("outside"), Out("Top Category/linked"));
#endif

  EXPECT_FALSE(RunFavoritesExport(doc, Fav(), kFavoritesTopCategory));
  EXPECT_TRUE(Said(kBadName));
  EXPECT_FALSE(Said("お気に入りにリンク先を書き込みました。"));
  EXPECT_EQ(ReadBytes(dir.File("outside/target")), "keep");
  EXPECT_FALSE(fs::exists(dir.File("outside/through.url")));
  EXPECT_FALSE(fs::exists(Fav() + "/escaped.url"));
  EXPECT_FALSE(fs::exists(FsPath(Out("escaped.url"))));
  EXPECT_FALSE(fs::exists(FsPath(Out("Top Category/.url"))));
  EXPECT_FALSE(fs::exists(FsPath(Out("Top Category/..url"))));
  EXPECT_EQ(ReadBytes(Out("Top Category/.._.._evil.url")),
            "[InternetShortcut]\r\nURL=http://cleaned/\r\n");
  EXPECT_TRUE(fs::exists(FsPath(Out("Top Category/ok.url"))));
#ifdef _WIN32
  return;  // the rest needs symbolic links
#endif
  EXPECT_TRUE(fs::is_symlink(Out("Top Category/planted.url")));

  // The export folder itself replaced by a link: nothing is written through it.
  fs::remove_all(Fav() + "/Kestrelnest");
  fs::create_directory_symlink(dir.File("outside"), Fav() + "/Kestrelnest");
  EXPECT_FALSE(RunFavoritesExport(doc, Fav(), kFavoritesTopCategory));
  EXPECT_FALSE(fs::exists(dir.File("outside/Top Category")));
}

TEST_F(FavoritesTest, AFailedWriteEndsTheExportAndIsReported) {
  AddLinkTo(Top(), "a", "http://a/");
  AddLinkTo(Top(), "b", "http://b/\r\nURL=http://injected/");  // no line may be added
  AddLinkTo(Top(), "c", "http://c/");
  fs::create_directories(Out(""));
  EXPECT_FALSE(RunFavoritesExport(doc, Fav(), kFavoritesTopCategory));
  EXPECT_EQ(ui.messages.back().icon, MbIcon::Stop);
  EXPECT_TRUE(fs::exists(FsPath(Out("Top Category/a.url"))));
  EXPECT_FALSE(fs::exists(FsPath(Out("Top Category/b.url"))));
  EXPECT_FALSE(fs::exists(FsPath(Out("Top Category/c.url"))));
}

// What the export writes, the import reads back as the same tree; the export's own folder is
// never imported twice.
TEST_F(FavoritesTest, ExportThenImportGivesTheSameTree) {
  LINKINFO* news = AddCategory(Top(), ToCp932("ニュース"));
  AddLinkTo(news, "新聞", "http://paper/");
  AddLinkTo(AddCategory(news, "Sub"), "deep", "http://deep/?q=1&r=2");
  AddLinkTo(Top(), "Top link", "http://top/");
  ASSERT_TRUE(RunFavoritesExport(doc, Fav(), kFavoritesFolderOnly));
  ASSERT_TRUE(RunFavoritesExport(doc, Fav(), kFavoritesTopCategory));
  // The tree beside the export folder, as a user would keep it.
  fs::copy(Out("Top Category"), Fav() + "/Mine", fs::copy_options::recursive);

  ASSERT_TRUE(ImportFavorites(doc, Fav()));
  LINKINFO* mine = Child(doc.GetWorkBox(), "Mine");
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(Children(doc.GetWorkBox()).size(), 1u);
  EXPECT_EQ(Child(mine, "Top link")->m_strURL, "http://top/");
  LINKINFO* copy = Child(mine, "ニュース");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(Child(copy, "新聞")->m_strURL, "http://paper/");
  ASSERT_NE(Child(copy, "Sub"), nullptr);
  EXPECT_EQ(Child(Child(copy, "Sub"), "deep")->m_strURL, "http://deep/?q=1&r=2");
}

// Names in the Favorites folder are the browser's text: stored as HTML that shows them, written
// back under the same names; a shortcut to a script address is left out and told.
TEST_F(FavoritesTest, NamesStayTextAndScriptShortcutsAreLeftOut) {
#ifdef _WIN32
  // Windows' names cannot hold < > ", so the folder and link come as the import stores them.
  Shortcut(Fav() + "/evil.url", " JavaScript:alert(1)");
  Shortcut(Fav() + "/data.url", "data:text/html,<script>x</script>");
  ASSERT_TRUE(ImportFavorites(doc, Fav()));
  LINKINFO* folder = AddCategory(doc.GetWorkBox(), "&lt;Folder&gt; &amp; &quot;co&quot;");
  AddLinkTo(folder, "AT&amp;T &lt;i&gt;", "http://att/?a=1&b=2");
#else
  Shortcut(Fav() + "/<Folder> & \"co\"/AT&T <i>.url", "http://att/?a=1&b=2");
  Shortcut(Fav() + "/evil.url", " JavaScript:alert(1)");
  Shortcut(Fav() + "/<Folder> & \"co\"/data.url", "data:text/html,<script>x</script>");
  ASSERT_TRUE(ImportFavorites(doc, Fav()));
  LINKINFO* folder = Child(doc.GetWorkBox(), "&lt;Folder&gt; &amp; &quot;co&quot;");
  ASSERT_NE(folder, nullptr);
  LINKINFO* att = Child(folder, "AT&amp;T &lt;i&gt;");
  ASSERT_NE(att, nullptr);
  EXPECT_EQ(att->m_strURL, "http://att/?a=1&b=2");
  EXPECT_EQ(Children(folder).size(), 1u);
#endif
  EXPECT_EQ(Child(doc.GetWorkBox(), "evil"), nullptr);
  EXPECT_TRUE(Said(
      "スクリプトを実行する URL (javascript:、data:、vbscript:) 2 件は取り込みませんでした。"));

  ASSERT_TRUE(RunFavoritesExport(doc, Fav(), kFavoritesFolderOnly));
  ASSERT_TRUE(RunFavoritesExport(doc, Fav(), kFavoritesWorkBox));
  EXPECT_EQ(ReadBytes(Out("作業箱/_Folder_ & _co_/AT&T _i_.url")),
            "[InternetShortcut]\r\nURL=http://att/?a=1&b=2\r\n");
}

}  // namespace
}  // namespace vesk::test
