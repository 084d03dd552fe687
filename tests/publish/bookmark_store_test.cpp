#include "publish/bookmark_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "document/veskdoc.h"
#include "publish/bookmark_file.h"
#include "publish/chromium_bookmarks.h"
#include "publish/places_store.h"
#include "publish/read_data_file.h"
#include "publish/sqlite_wal.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "support/doc_fixture.h"
#include "support/local_date.h"
#include "support/temp_folder.h"

namespace vesk::test {
namespace {

// Microseconds since 1601, as the Chromium file gives its dates.
std::string ChromiumTime(std::int64_t seconds) {
  return std::to_string((seconds + 11644473600LL) * 1000000LL);
}

// The layout the browser writes: members in name order (so "children" comes before "type"),
// a checksum first, metadata the import does not need, an empty mobile folder.
std::string ChromiumFile() {
  return "{\n   \"checksum\": \"0123456789abcdef0123456789abcdef\",\n   \"roots\": {\n"
         "      \"bookmark_bar\": {\n         \"children\": [ {\n"
         "            \"children\": [ {\n"
         "               \"date_added\": \"" +
         ChromiumTime(1262304000) +
         "\",\n"
         "               \"id\": \"6\", \"meta_info\": { \"x\": [ 1, { \"y\": 2 } ] },\n"
         "               \"name\": \"ニュース\", \"type\": \"url\",\n"
         "               \"url\": \"https://news.example.jp/\"\n            } ],\n"
         "            \"date_added\": \"" +
         ChromiumTime(1700000200) +
         "\",\n"
         "            \"date_modified\": \"" +
         ChromiumTime(1700000500) +
         "\",\n"
         "            \"name\": \"日本語\", \"type\": \"folder\"\n         }, {\n"
         "            \"date_added\": \"" +
         ChromiumTime(1700000100) +
         "\",\n"
         "            \"name\": \"Example & <Co> \\u3042\", \"type\": \"url\",\n"
         "            \"url\": \"https://example.com/?a=1&b=2\"\n         }, {\n"
         "            \"name\": \"evil\", \"type\": \"url\", \"url\": \"javascript:alert(1)\"\n"
         "         } ],\n"
         "         \"date_added\": \"" +
         ChromiumTime(1700000000) +
         "\",\n"
         "         \"name\": \"Bookmarks bar\", \"type\": \"folder\"\n      },\n"
         "      \"other\": { \"children\": [ { \"name\": \"Other\", \"type\": \"url\",\n"
         "            \"url\": \"https://other.example/\" } ],\n"
         "         \"name\": \"Other bookmarks\", \"type\": \"folder\" },\n"
         "      \"synced\": { \"children\": [ ], \"name\": \"Mobile bookmarks\",\n"
         "         \"type\": \"folder\" }\n   },\n"
         "   \"sync_metadata\": \"abc\",\n   \"version\": 1\n}\n";
}

// A database made with SQLite itself; every statement must succeed.
class CTestDatabase {
 public:
  explicit CTestDatabase(const std::string& path) {
    EXPECT_EQ(sqlite3_open(path.c_str(), &m_db), SQLITE_OK);
  }
  ~CTestDatabase() { Close(); }
  void Run(const std::string& sql) {
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "") << " in " << sql;
    sqlite3_free(error);
  }
  void Close() {
    if (m_db) sqlite3_close(m_db);
    m_db = nullptr;
  }

 private:
  sqlite3* m_db = nullptr;
};

// The tables and standard folders of the browser's store (the columns the import reads, and a
// few it does not). Positions run against the ids, as after the user moved things.
constexpr const char* kPlacesSchema =
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, "
    "  visit_count INTEGER DEFAULT 0, guid TEXT);"
    "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, "
    "  parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, "
    "  folder_type TEXT, dateAdded INTEGER, lastModified INTEGER, guid TEXT, "
    "  syncStatus INTEGER NOT NULL DEFAULT 0);"
    "INSERT INTO moz_bookmarks (id, type, parent, position, title, guid) VALUES "
    "  (1, 2, 0, 0, '', 'root________'), (2, 2, 1, 0, 'menu', 'menu________'), "
    "  (3, 2, 1, 1, 'toolbar', 'toolbar_____'), (4, 2, 1, 2, 'tags', 'tags________'), "
    "  (5, 2, 1, 3, 'unfiled', 'unfiled_____'), (6, 2, 1, 4, 'mobile', 'mobile______');"
    "INSERT INTO moz_places (id, url, title) VALUES (1, 'https://b.example/', 'B page'), "
    "  (2, 'https://a.example/?x=1&y=2', 'A place title'), "
    "  (3, 'place:sort=8&maxResults=10', NULL), (4, 'https://tagged.example/', NULL), "
    "  (5, 'https://deep.example/', 'deep');"
    // The toolbar: a folder with a Japanese name, a separator, two bookmarks in position order.
    "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, dateAdded, lastModified, "
    "  guid) VALUES "
    "  (10, 1, 1, 3, 3, NULL, 1600000000000000, 0, 'b1'), "
    "  (11, 3, NULL, 3, 2, NULL, 0, 0, 's1'), "
    "  (12, 1, 2, 3, 1, 'A <bookmark>', 1262304000000000, 0, 'b2'), "
    "  (13, 2, NULL, 3, 0, '日本語', 1700000200000000, 1700000500000000, 'f1'), "
    "  (14, 1, 5, 13, 0, 'inside', 0, 0, 'b3'), "
    "  (15, 1, 3, 2, 0, 'Recently Bookmarked', 0, 0, 'q1'), "
    "  (16, 2, NULL, 4, 0, 'a tag', 0, 0, 't1'), (17, 1, 4, 16, 0, NULL, 0, 0, 't2'), "
    "  (18, 1, 2, 5, 0, 'unfiled one', 0, 0, 'u1');";

class BookmarkStoreTest : public DocFixture {
 protected:
  BookmarkStoreTest() { doc.SelectCategory(Top(), true); }

  std::string MakePlaces(const std::string& name, const std::string& extra = "") {
    const std::string path = dir.File(name);
    CTestDatabase db(path);
    db.Run(kPlacesSchema);
    if (!extra.empty()) db.Run(extra);
    return path;
  }
};

// The Chromium file, known by its content under any name: the standard folders with the
// names the file gives them, an empty one left out, dates of folders and links kept, titles
// stored as the HTML that shows the bookmark's text, script addresses left out; one undo.
TEST_F(BookmarkStoreTest, ChromiumBookmarksImportIntoTheWorkBoxAsOneUndoGroup) {
  WriteBytes(dir.File("Bookmarks"), ChromiumFile());
  EXPECT_EQ(DetectBookmarkStore(dir.File("Bookmarks")), BookmarkStoreKind::Chromium);
  const std::size_t before = doc.GetNodeList().size();
  ASSERT_TRUE(ReadDataFile(doc, dir.File("Bookmarks")));
  LINKINFO* box = doc.GetWorkBox();
  EXPECT_EQ(doc.GetCurrent(), box);
  ASSERT_EQ(Children(box).size(), 2u);
  LINKINFO* bar = Children(box)[0];
  EXPECT_EQ(bar->m_strTitle, "Bookmarks bar");
  EXPECT_EQ(NodeDate(*bar), LocalDate(1700000000));
  ASSERT_EQ(Children(bar).size(), 2u);
  LINKINFO* japanese = Children(bar)[0];
  EXPECT_TRUE(japanese->IsCategory());
  EXPECT_EQ(japanese->m_strTitle, ToCp932("日本語"));
  EXPECT_EQ(NodeDate(*japanese), LocalDate(1700000500));
  LINKINFO* news = Child(japanese, "ニュース");
  ASSERT_NE(news, nullptr);
  EXPECT_EQ(news->m_strURL, "https://news.example.jp/");
  EXPECT_EQ(NodeDate(*news), LocalDate(1262304000));
  LINKINFO* example = Children(bar)[1];
  EXPECT_FALSE(example->IsCategory());
  EXPECT_EQ(example->m_strTitle, ToCp932("Example &amp; &lt;Co&gt; あ"));
  EXPECT_EQ(example->m_strURL, "https://example.com/?a=1&b=2");
  EXPECT_NE(Child(Child(box, "Other bookmarks"), "Other"), nullptr);
  EXPECT_EQ(doc.GetNodeList().size(), before + 6);
  ASSERT_EQ(ui.messages.size(), 1u);  // the left-out script address
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Information);

  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNodeList().size(), before);

  // The bookmark import command takes the store as well as a bookmark file.
  ASSERT_TRUE(ImportBookmarksOrStore(doc, dir.File("Bookmarks")));
  WriteBytes(dir.File("b.html"),
             "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><DT><A HREF=\"http://h/\">h</A></DL>");
  ASSERT_TRUE(ImportBookmarksOrStore(doc, dir.File("b.html")));
  EXPECT_EQ(doc.GetNodeList().size(), before + 7);
}

// Malformed or foreign JSON is no store: told, nothing made. A JSON file without "roots" is
// not taken for one at all.
TEST_F(BookmarkStoreTest, BrokenChromiumFilesAreRefused) {
  const std::size_t before = doc.GetNodeList().size();
  std::string cut = ChromiumFile();
  cut.resize(cut.size() / 2);
  WriteBytes(dir.File("Bookmarks"), cut);
  EXPECT_FALSE(ReadDataFile(doc, dir.File("Bookmarks")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);
  EXPECT_EQ(doc.GetNodeList().size(), before);

  WriteBytes(dir.File("other.json"), "{\"name\": \"roots\", \"list\": []}");
  EXPECT_EQ(DetectBookmarkStore(dir.File("other.json")), BookmarkStoreKind::None);
  std::vector<BookmarkItem> items;
  EXPECT_FALSE(ReadChromiumBookmarks("[1, 2]", items));
  EXPECT_FALSE(ReadChromiumBookmarks("{\"roots\": 5}", items));
  EXPECT_TRUE(ReadChromiumBookmarks("{\"roots\": {}}", items));
  EXPECT_TRUE(items.empty());
}

// A node whose type says "url" but which holds children, a folder nested far deeper than a
// tree needs, and nodes that are neither: the tree that comes out is sound.
TEST_F(BookmarkStoreTest, ChromiumTreesOfAnyShapeGiveASoundTree) {
  std::string deep = "{\"roots\": {\"bookmark_bar\": {\"name\": \"bar\", \"children\": [";
  for (int k = 0; k < 150; ++k) deep += "{\"type\": \"folder\", \"name\": \"d\", \"children\": [";
  deep += "{\"type\": \"url\", \"name\": \"leaf\", \"url\": \"https://leaf/\"}";
  for (int k = 0; k < 150; ++k) deep += "]}";
  deep +=
      ", {\"type\": \"url\", \"name\": \"odd\", \"url\": \"https://odd/\", \"children\": ["
      "{\"type\": \"url\", \"name\": \"in odd\", \"url\": \"https://in-odd/\"}]}"
      ", {\"type\": \"url\", \"name\": \"no address\"}, 17, \"text\"]}}}";
  std::vector<BookmarkItem> items;
  ASSERT_TRUE(ReadChromiumBookmarks(deep, items));
  std::size_t depth = 0;
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (items[k].parent >= 0) {
      ASSERT_LT(static_cast<std::size_t>(items[k].parent), k);
      EXPECT_TRUE(items[static_cast<std::size_t>(items[k].parent)].folder);
    }
    if (items[k].title == "leaf") {
      for (int p = items[k].parent; p >= 0; p = items[static_cast<std::size_t>(p)].parent) ++depth;
    }
  }
  EXPECT_EQ(depth, kBookmarkDepthMax);
  // The node with children was a folder after all; the one without an address is left out.
  bool odd = false, inOdd = false, none = false;
  for (const BookmarkItem& item : items) {
    odd |= item.title == "odd" && item.folder;
    inOdd |= item.title == "in odd";
    none |= item.title == "no address";
  }
  EXPECT_TRUE(odd);
  EXPECT_TRUE(inOdd);
  EXPECT_FALSE(none);
}

// The Firefox store: the standard folders by their fixed identifiers (the tags left out), a
// folder's children in their positions, separators and saved queries left out, a bookmark
// without a title of its own named by its page; the file is only read.
TEST_F(BookmarkStoreTest, FirefoxPlacesImportAsTheBrowserShowsThem) {
  const std::string path = MakePlaces("places.sqlite");
  const std::string original = ReadBytes(path);
  EXPECT_EQ(DetectBookmarkStore(path), BookmarkStoreKind::Places);
  const std::size_t before = doc.GetNodeList().size();
  ASSERT_TRUE(ReadDataFile(doc, path));
  EXPECT_EQ(ReadBytes(path), original);
  LINKINFO* box = doc.GetWorkBox();
  const std::vector<LINKINFO*> roots = Children(box);
  ASSERT_EQ(roots.size(), 2u);  // the menu holds only a query, the mobile folder nothing
  EXPECT_EQ(roots[0]->m_strTitle, "Bookmarks Toolbar");
  EXPECT_EQ(roots[1]->m_strTitle, "Other Bookmarks");
  const std::vector<LINKINFO*> bar = Children(roots[0]);
  ASSERT_EQ(bar.size(), 3u);
  EXPECT_EQ(bar[0]->m_strTitle, ToCp932("日本語"));
  EXPECT_EQ(NodeDate(*bar[0]), LocalDate(1700000500));
  EXPECT_NE(Child(bar[0], "inside"), nullptr);
  EXPECT_EQ(bar[1]->m_strTitle, "A &lt;bookmark&gt;");
  EXPECT_EQ(bar[1]->m_strURL, "https://a.example/?x=1&y=2");
  EXPECT_EQ(NodeDate(*bar[1]), LocalDate(1262304000));
  EXPECT_EQ(bar[2]->m_strTitle, "B page");
  EXPECT_EQ(NodeDate(*bar[2]), LocalDate(1600000000));
  EXPECT_NE(Child(roots[1], "unfiled one"), nullptr);
  EXPECT_EQ(doc.GetNodeList().size(), before + 7);
  EXPECT_TRUE(ui.messages.empty());
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNodeList().size(), before);
}

// What a running browser has committed but not yet written into the database file lies in its
// write-ahead log: the import reads both, as the browser sees them, and drops a transaction
// whose log frames are damaged.
TEST_F(BookmarkStoreTest, TheWriteAheadLogOfARunningBrowserIsRead) {
  const std::string live = dir.File("live.sqlite");
  CTestDatabase db(live);
  db.Run("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
  db.Run(kPlacesSchema);
  db.Run("PRAGMA wal_checkpoint(TRUNCATE);");
  db.Run(
      "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) VALUES "
      "(30, 1, 1, 6, 0, 'first commit', 'w1');");
  db.Run(
      "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) VALUES "
      "(31, 1, 1, 6, 1, 'second commit', 'w2');");
  // The files as they lie while the browser runs.
  const std::string file = ReadBytes(live);
  const std::string wal = ReadBytes(live + "-wal");
  ASSERT_GT(wal.size(), 32u);

  std::vector<BookmarkItem> items;
  const auto titles = [&items] {
    std::vector<std::string> out;
    for (const BookmarkItem& item : items) out.push_back(item.title);
    return out;
  };
  ASSERT_TRUE(ReadPlacesStore(file, "", items));
  std::vector<std::string> seen = titles();
  EXPECT_EQ(std::find(seen.begin(), seen.end(), "Mobile Bookmarks"), seen.end());
  ASSERT_TRUE(ReadPlacesStore(file, wal, items));
  seen = titles();
  EXPECT_NE(std::find(seen.begin(), seen.end(), "first commit"), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), "second commit"), seen.end());

  // The last frame's page damaged: its transaction is gone, the one before it stays.
  std::string damaged = wal;
  damaged[damaged.size() - 100] = static_cast<char>(damaged[damaged.size() - 100] ^ 0x55);
  ASSERT_TRUE(ReadPlacesStore(file, damaged, items));
  seen = titles();
  EXPECT_NE(std::find(seen.begin(), seen.end(), "first commit"), seen.end());
  EXPECT_EQ(std::find(seen.begin(), seen.end(), "second commit"), seen.end());

  // Through the import: the log beside the file is read, and both are left as they were.
  WriteBytes(dir.File("copy.sqlite"), file);
  WriteBytes(dir.File("copy.sqlite-wal"), wal);
  ASSERT_TRUE(ImportBookmarkStore(doc, dir.File("copy.sqlite")));
  EXPECT_NE(Child(Child(doc.GetWorkBox(), "Mobile Bookmarks"), "second commit"), nullptr);
  EXPECT_EQ(ReadBytes(dir.File("copy.sqlite")), file);
  EXPECT_EQ(ReadBytes(dir.File("copy.sqlite-wal")), wal);

  // A log that belongs to another database (other salts, other page size, garbage) is left out.
  std::string junk(4096, 'x');
  EXPECT_FALSE(ApplySqliteWal(junk, wal));
  std::string copy = file;
  EXPECT_FALSE(ApplySqliteWal(copy, std::string(64, '\0')));
  EXPECT_EQ(copy, file);
  db.Close();
}

// A store made to harm: its table a view (code the file brings), folders that hold each other,
// a commit in the log that claims a database of a billion pages. Nothing runs, loops or
// exhausts memory; what can be read is read.
TEST_F(BookmarkStoreTest, HostileStoresAreReadSafelyOrRefused) {
  const std::string viewPath = dir.File("view.sqlite");
  {
    CTestDatabase db(viewPath);
    db.Run(
        "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT, title TEXT);"
        "CREATE TABLE real_bookmarks (id INTEGER, type INTEGER, fk INTEGER, parent INTEGER,"
        "  position INTEGER, title TEXT, dateAdded INTEGER, lastModified INTEGER, guid TEXT);"
        "CREATE VIEW moz_bookmarks AS SELECT * FROM real_bookmarks;");
  }
  std::vector<BookmarkItem> items;
  EXPECT_FALSE(ReadPlacesStore(ReadBytes(viewPath), "", items));
  EXPECT_FALSE(ImportBookmarkStore(doc, viewPath));
  EXPECT_EQ(ui.messages.back().Utf8(), ResStringUtf8(kIdsNotBookmarkFile).replace(0, 2, viewPath));

  const std::string loopPath = MakePlaces(
      "loop.sqlite",
      "INSERT INTO moz_bookmarks (id, type, parent, position, title, guid) VALUES "
      "(40, 2, 41, 0, 'a', 'l1'), (41, 2, 40, 0, 'b', 'l2'), (42, 2, 42, 0, 'self', 'l3'),"
      "(43, 2, 5, 1, 'c', 'l4'), (44, 1, 43, 0, 'in c', 'l5');"
      "UPDATE moz_bookmarks SET fk = 1 WHERE id = 44;");
  ASSERT_TRUE(ReadPlacesStore(ReadBytes(loopPath), "", items));
  for (const BookmarkItem& item : items) EXPECT_NE(item.title, "self");

  EXPECT_FALSE(ReadPlacesStore("SQLite format 3", "", items));
  EXPECT_FALSE(
      ReadPlacesStore(std::string("SQLite format 3\0", 16) + std::string(200, '\xff'), "", items));
}

}  // namespace
}  // namespace vesk::test
