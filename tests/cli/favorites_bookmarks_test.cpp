#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "document/veskdoc.h"
#include "support/doc_fixture.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

class FavoritesBookmarksCli : public DocFixture {
 protected:
  FavoritesBookmarksCli() {
    hobby = AddCategory(Top(), ToCp932("趣味"));
    LINKINFO* link = AddLink(hobby, ToCp932("登山/山歩き"));
    link->m_strURL = "http://mountain/";
    AddLink(AddCategory(hobby, "Sub"), "deep")->m_strURL = "http://deep/";
    AddLink(Top(), "top")->m_strURL = "http://top/";
    EXPECT_TRUE(doc.OnSaveDocument(dir.File("links.knd")));
  }
  std::vector<LINKINFO*> Children(CVeskDoc& d, const LINKINFO* parent) {
    std::vector<LINKINFO*> out;
    for (LINKINFO* n : d.GetNodeList())
      if (n->m_pParent == parent) out.push_back(n);
    return out;
  }
  // "title=url" of a subtree, depth-first in list order, categories as "[title]".
  std::string Shape(CVeskDoc& d, const LINKINFO* parent) {
    std::string out;
    for (LINKINFO* n : Children(d, parent)) {
      out += n->IsCategory() ? "[" + ToUtf8(n->m_strTitle) + Shape(d, n) + "]"
                             : ToUtf8(n->m_strTitle) + "=" + n->m_strURL + ";";
    }
    return out;
  }

  LINKINFO* hobby = nullptr;
  CCliRunner cli;
};

TEST_F(FavoritesBookmarksCli, FavoritesExportAndImportRunTheCommands) {
  const std::string fav = dir.File("fav");
  const std::string knd = dir.File("links.knd");
  CliResult r = cli.Run({"export-favorites", knd, fav, "--option", "1"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("お気に入りに「Kestrelnest」フォルダがありません。"), std::string::npos);
  ASSERT_EQ(cli.Run({"export-favorites", knd, fav, "--option", "0"}).exitCode, 0);
  r = cli.Run({"export-favorites", knd, fav, "--option", "3", "--category",
               std::to_string(hobby->m_nSerial)});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(fav + "/Kestrelnest/趣味/登山_山歩き.url"),
            "[InternetShortcut]\r\nURL=http://mountain/\r\n");
  EXPECT_FALSE(fs::exists(FsPath(fav + "/Kestrelnest/趣味/Sub")));
  // A bad value is a failure; a missing one a usage error.
  EXPECT_EQ(cli.Run({"export-favorites", knd, fav, "--option", "4"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"export-favorites", knd, fav, "--option", "one"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"export-favorites", knd, fav, "--option", "1", "--category", "x"}).exitCode,
            1);
  EXPECT_EQ(cli.Run({"export-favorites", knd, fav}).exitCode, 2);
  EXPECT_EQ(cli.Run({"export-bookmarks", knd, dir.File("b.html"), "--category", "-1"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"export-favorites", knd, fav, "--option", "3", "--category", "999"}).exitCode,
            1);

  ASSERT_EQ(cli.Run({"export-favorites", knd, fav, "--option", "1"}).exitCode, 0);
  fs::copy(fav + "/Kestrelnest/Top Category", fav + "/Copy", fs::copy_options::recursive);
  r = cli.Run({"import-favorites", knd, fav});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  CVeskDoc loaded(settings, ui);
  ASSERT_TRUE(loaded.OnOpenDocument(knd));
  // The export folder itself is not read again; the copy comes back as it was written.
  ASSERT_EQ(Children(loaded, loaded.GetWorkBox()).size(), 1u);
  EXPECT_EQ(Shape(loaded, loaded.GetWorkBox()),
            "[Copytop=http://top/;[趣味[Subdeep=http://deep/;]登山_山歩き=http://mountain/;]]");
}

TEST_F(FavoritesBookmarksCli, BookmarkFilesGoOutAndComeBackUnderAnyName) {
  const std::string knd = dir.File("links.knd");
  CliResult r = cli.Run({"export-bookmarks", knd, dir.File("out.html")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string html = ReadBytes(dir.File("out.html"));
  EXPECT_EQ(html.rfind("<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n", 0), 0u);
  EXPECT_NE(html.find("<DT><H3>趣味</H3>"), std::string::npos);
  r = cli.Run({"export-bookmarks", knd, dir.File("hobby.html"), "--category",
               std::to_string(hobby->m_nSerial)});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(ReadBytes(dir.File("hobby.html")).find("<TITLE>趣味</TITLE>"), std::string::npos);
  EXPECT_EQ(cli.Run({"export-bookmarks", knd, dir.File("x.html"), "--category", "999"}).exitCode,
            1);

  fs::rename(dir.File("out.html"), dir.File("saved-bookmarks.dat"));
  r = cli.Run({"import", knd, dir.File("saved-bookmarks.dat")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  CVeskDoc loaded(settings, ui);
  ASSERT_TRUE(loaded.OnOpenDocument(knd));
  EXPECT_EQ(Shape(loaded, loaded.GetWorkBox()), Shape(loaded, loaded.GetTopCategory()));
}

// The browsers' own stores under their own names, told apart by their content, in one run.
TEST_F(FavoritesBookmarksCli, ImportReadsTheBrowsersOwnStores) {
  const std::string knd = dir.File("links.knd");
  WriteBytes(dir.File("Bookmarks"),
             "{\"checksum\": \"0\", \"roots\": {\"bookmark_bar\": {\"children\": ["
             "{\"name\": \"バー\", \"type\": \"url\", \"url\": \"http://bar/\"}],"
             "\"name\": \"Bookmarks bar\", \"type\": \"folder\"}}, \"version\": 1}");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(dir.File("places.sqlite").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT, title TEXT);"
                         "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER,"
                         "  fk INTEGER, parent INTEGER, position INTEGER, title TEXT,"
                         "  dateAdded INTEGER, lastModified INTEGER, guid TEXT);"
                         "INSERT INTO moz_places VALUES (1, 'http://fox/', 'fox');"
                         "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 0, 0,"
                         "  'root________'), (2, 2, NULL, 1, 0, 'menu', 0, 0, 'menu________'),"
                         "  (3, 1, 1, 2, 0, NULL, 0, 0, 'x');",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  CliResult r = cli.Run({"import", knd, dir.File("Bookmarks"), dir.File("places.sqlite")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  CVeskDoc loaded(settings, ui);
  ASSERT_TRUE(loaded.OnOpenDocument(knd));
  EXPECT_EQ(Shape(loaded, loaded.GetWorkBox()),
            "[Bookmarks barバー=http://bar/;][Bookmarks Menufox=http://fox/;]");
}

}  // namespace
}  // namespace vesk::test
