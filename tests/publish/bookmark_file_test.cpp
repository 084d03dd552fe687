#include "publish/bookmark_file.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "document/veskdoc.h"
#include "publish/bookmark_reader.h"
#include "publish/read_data_file.h"
#include "support/doc_fixture.h"
#include "support/local_date.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

// The layout Chromium's exporter writes: the toolbar folder marked, dates on folders and links,
// an icon attribute, empty folders with their DL.
constexpr const char* kChromiumFile =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file.\n"
    "     It will be read and overwritten.\n"
    "     DO NOT EDIT! -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    "<TITLE>Bookmarks</TITLE>\n"
    "<H1>Bookmarks</H1>\n"
    "<DL><p>\n"
    "    <DT><H3 ADD_DATE=\"1700000000\" LAST_MODIFIED=\"1700000500\" "
    "PERSONAL_TOOLBAR_FOLDER=\"true\">Bookmarks bar</H3>\n"
    "    <DL><p>\n"
    "        <DT><A HREF=\"https://example.com/?a=1&amp;b=2\" ADD_DATE=\"1700000100\" "
    "ICON=\"data:image/png;base64,iVBOR>w0\">Example &amp; &lt;Co&gt;</A>\n"
    "        <DT><H3 ADD_DATE=\"1700000200\" LAST_MODIFIED=\"0\">日本語</H3>\n"
    "        <DL><p>\n"
    "            <DT><A HREF=\"https://news.example.jp/\" ADD_DATE=\"1262304000\">ニュース</A>\n"
    "        </DL><p>\n"
    "        <DT><H3 ADD_DATE=\"1700000300\">Empty</H3>\n"
    "        <DL><p>\n"
    "        </DL><p>\n"
    "    </DL><p>\n"
    "    <DT><A HREF=\"https://other.example/\">Other   bookmark\n  title</A>\n"
    "</DL><p>\n";

// The layout Firefox writes: lower-case p, descriptions, separators, smart folders, a
// LAST_MODIFIED on links, unquoted and single-quoted attributes from hand-made files.
constexpr const char* kFirefoxFile =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
    "<!-- This is an automatically generated file. -->\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'\">\r\n"
    "<TITLE>Bookmarks</TITLE>\r\n<H1>Bookmarks Menu</H1>\r\n\r\n<DL><p>\r\n"
    "    <DT><H3 ADD_DATE=\"1600000000\" LAST_MODIFIED=\"1600000001\">Mozilla Firefox</H3>\r\n"
    "    <DL><p>\r\n"
    "        <DT><A HREF=\"https://support.example.org/\" ADD_DATE=\"1600000002\" "
    "LAST_MODIFIED=\"1262304000\">Get Help</A>\r\n"
    "        <DD>A description &amp; more\r\n"
    "        <HR>\r\n"
    "        <DT><a href=https://unquoted.example/ add_date='1600000003'>lower case</a>\r\n"
    "    </DL><p>\r\n"
    "    <DT><A HREF=\"place:sort=8&maxResults=10\">Recently Bookmarked</A>\r\n"
    "    <DT><A HREF=\"\">No address</A>\r\n"
    "    <DT><A HREF=\"https://e.example/\">&#x1F600; &#9731; &#12354; &bogus; &#0; "
    "&#xD800;</A>\r\n"
    "</DL>\r\n";

TEST(BookmarkReader, ReadsTheChromiumLayout) {
  const std::vector<BookmarkItem> items = ReadBookmarks(kChromiumFile);
  ASSERT_EQ(items.size(), 6u);
  EXPECT_TRUE(items[0].folder);
  EXPECT_EQ(items[0].title, "Bookmarks bar");
  EXPECT_EQ(items[0].parent, -1);
  EXPECT_EQ(items[1].url, "https://example.com/?a=1&b=2");  // the '>' in ICON ends nothing
  EXPECT_EQ(items[1].title, "Example & <Co>");
  EXPECT_EQ(items[1].parent, 0);
  EXPECT_EQ(items[1].addDate, 1700000100);
  EXPECT_EQ(items[2].title, "日本語");
  EXPECT_EQ(items[2].parent, 0);
  EXPECT_EQ(items[3].title, "ニュース");
  EXPECT_EQ(items[3].parent, 2);
  EXPECT_EQ(items[4].title, "Empty");
  EXPECT_EQ(items[4].parent, 0);
  EXPECT_EQ(items[5].title, "Other bookmark title");
  EXPECT_EQ(items[5].parent, -1);
}

TEST(BookmarkReader, ReadsTheFirefoxLayoutAndLeavesOutWhatIsNoSite) {
  const std::vector<BookmarkItem> items = ReadBookmarks(kFirefoxFile);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].title, "Mozilla Firefox");
  EXPECT_EQ(items[1].title, "Get Help");
  EXPECT_EQ(items[1].lastModified, 1262304000);
  EXPECT_EQ(items[2].url, "https://unquoted.example/");
  EXPECT_EQ(items[2].title, "lower case");
  EXPECT_EQ(items[2].addDate, 1600000003);
  EXPECT_EQ(items[2].parent, 0);
  EXPECT_EQ(items[3].parent, -1);
  EXPECT_EQ(items[3].title, "😀 ☃ あ &bogus; \xEF\xBF\xBD \xEF\xBF\xBD");
}

TEST(BookmarkReader, KnowsTheFileByItsDocumentType) {
  EXPECT_TRUE(IsBookmarkFile("\xEF\xBB\xBF\r\n  <!doctype netscape-bookmark-file-1>\n<DL>"));
  EXPECT_FALSE(IsBookmarkFile("<!DOCTYPE html>\n<!DOCTYPE NETSCAPE-Bookmark-file-1>"));
  EXPECT_FALSE(IsBookmarkFile("<!DOCTYPE NETSCAPE-Bookmark-file-10>"));
  EXPECT_FALSE(IsBookmarkFile(""));
}

// Hostile input: deep nesting is flattened at the bound, unclosed tags and quotes end cleanly,
// and dates in milliseconds come out in seconds.
TEST(BookmarkReader, StaysWithinItsBoundsOnHostileInput) {
  std::string deep = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL>";
  for (int k = 0; k < 5000; ++k) deep += "<DT><H3>f</H3><DL>";
  deep += "<DT><A HREF=\"http://bottom/\" ADD_DATE=\"1700000000123\">bottom</A>";
  const std::vector<BookmarkItem> items = ReadBookmarks(deep);
  ASSERT_FALSE(items.empty());
  const BookmarkItem& bottom = items.back();
  EXPECT_EQ(bottom.url, "http://bottom/");
  EXPECT_EQ(bottom.addDate, 1700000000);
  std::size_t depth = 0;
  for (int p = bottom.parent; p >= 0; p = items[static_cast<std::size_t>(p)].parent) ++depth;
  EXPECT_LE(depth, kBookmarkDepthMax);
  EXPECT_EQ(items.size(), kBookmarkDepthMax - 1 + 1);

  EXPECT_TRUE(ReadBookmarks("<DL><DT><A HREF=\"http://never-closed").empty());
  EXPECT_EQ(ReadBookmarks("<DL><DT><A HREF=x>t").size(), 1u);
  EXPECT_TRUE(ReadBookmarks("</DL></DL></DL><").empty());
  EXPECT_EQ(ReadBookmarks("<DT><A HREF=a>" + std::string(100000, 'x') + "</A>")[0].title.size(),
            1024u);
}

class BookmarkFileTest : public DocFixture {
 protected:
  BookmarkFileTest() { doc.SelectCategory(Top(), true); }
};

// The file is known by its content under any name; folders and bookmarks land under the work
// box as one undo group, dated, with titles that Shift_JIS cannot hold counted and told.
TEST_F(BookmarkFileTest, ImportBuildsTheTreeInTheWorkBoxAsOneUndoGroup) {
  WriteBytes(dir.File("exported.txt"), kChromiumFile);
  const std::size_t before = doc.GetNodeList().size();
  ASSERT_TRUE(ReadDataFile(doc, dir.File("exported.txt")));
  LINKINFO* box = doc.GetWorkBox();
  EXPECT_EQ(doc.GetCurrent(), box);
  LINKINFO* bar = Child(box, "Bookmarks bar");
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->IsCategory());
  LINKINFO* example = Child(bar, "Example &amp; &lt;Co&gt;");
  ASSERT_NE(example, nullptr);
  EXPECT_EQ(example->m_strURL, "https://example.com/?a=1&b=2");
  EXPECT_EQ(example->m_nKind, 1);
  LINKINFO* japanese = Child(bar, "日本語");
  ASSERT_NE(japanese, nullptr);
  LINKINFO* news = Child(japanese, "ニュース");
  ASSERT_NE(news, nullptr);
  EXPECT_EQ(NodeDate(*news), LocalDate(1262304000));
  // Folders keep their dates too: LAST_MODIFIED, else ADD_DATE.
  EXPECT_EQ(NodeDate(*bar), LocalDate(1700000500));
  EXPECT_EQ(NodeDate(*japanese), LocalDate(1700000200));
  EXPECT_NE(Child(bar, "Empty"), nullptr);
  EXPECT_NE(Child(box, "Other bookmark title"), nullptr);
  EXPECT_EQ(doc.GetNodeList().size(), before + 6);
  EXPECT_TRUE(ui.messages.empty());

  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_FALSE(doc.CanUndo());

  WriteBytes(dir.File("firefox.html"), kFirefoxFile);
  BookmarkImportResult result;
  ASSERT_TRUE(ImportBookmarkFile(doc, dir.File("firefox.html"), &result));
  EXPECT_EQ(result.categories, 1);
  EXPECT_EQ(result.links, 3);
  EXPECT_EQ(result.changedTitles, 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(),
            "ブックマークの題名 1 件に Shift_JIS で表せない文字があり、「?」に置き換えました。");
  EXPECT_NE(Child(box, "? ? あ &amp;bogus; ? ?"), nullptr);
  LINKINFO* help = Child(Child(box, "Mozilla Firefox"), "Get Help");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(NodeDate(*help), LocalDate(1262304000));
}

// A bookmark's title is the text the browser showed: it reaches the pages as that text, and an
// import followed by an export gives the file's titles back exactly. Script addresses are left
// out and counted; the owner's own markup is exported as the text it shows.
TEST_F(BookmarkFileTest, OutsideTitlesStayTextAndScriptAddressesAreLeftOut) {
  WriteBytes(dir.File("b.html"),
             "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL>"
             "<DT><H3>&lt;b&gt;Folder&lt;/b&gt;</H3><DL>"
             "<DT><A HREF=\"http://x/?a=1&amp;b=2\">&lt;script&gt;x&lt;/script&gt; &amp;amp; "
             "\"q\"</A>"
             "<DT><A HREF=\" JavaScript:alert(1)\">evil</A>"
             "<DT><A HREF=\"DATA:text/html,x\">data</A>"
             "<DT><A HREF=\"vbscript:x\">vb</A>"
             "<DT><A HREF=\"http://y/&quot;onmouseover=&quot;x\">attr</A>"
             "</DL></DL>");
  BookmarkImportResult result;
  ASSERT_TRUE(ImportBookmarkFile(doc, dir.File("b.html"), &result));
  EXPECT_EQ(result.links, 2);
  EXPECT_EQ(result.scriptUrls, 3);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(
      ui.messages[0].Utf8(),
      "スクリプトを実行する URL (javascript:、data:、vbscript:) 3 件は取り込みませんでした。");
  LINKINFO* folder = Child(doc.GetWorkBox(), "&lt;b&gt;Folder&lt;/b&gt;");
  ASSERT_NE(folder, nullptr);
  ASSERT_EQ(Children(folder).size(), 2u);
  LINKINFO* script = Child(folder, "&lt;script&gt;x&lt;/script&gt; &amp;amp; &quot;q&quot;");
  ASSERT_NE(script, nullptr);
  EXPECT_EQ(script->m_strURL, "http://x/?a=1&b=2");
  // A quote in an address would end the page's HREF attribute.
  EXPECT_EQ(Child(folder, "attr")->m_strURL, "http://y/%22onmouseover=%22x");

  AddLink(folder, "<B>Cool</B> &amp; <I>new</I> a < b")->m_strURL = "http://cool/";
  ASSERT_TRUE(ExportBookmarkFile(doc, doc.GetWorkBox(), dir.File("out.html")));
  const std::vector<BookmarkItem> items = ReadBookmarks(ReadBytes(dir.File("out.html")));
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].title, "<b>Folder</b>");
  EXPECT_EQ(items[1].title, "<script>x</script> &amp; \"q\"");
  EXPECT_EQ(items[3].title, "Cool & new a < b");
}

TEST_F(BookmarkFileTest, AUrlKeepsItsAddressWhereShiftJisLacksACharacter) {
  WriteBytes(dir.File("b.html"),
             "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL>"
             "<DT><A HREF=\"https://例え.jp/😀?q=あ\">x</A></DL>");
  ASSERT_TRUE(ImportBookmarkFile(doc, dir.File("b.html")));
  LINKINFO* link = Child(doc.GetWorkBox(), "x");
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(ToUtf8(link->m_strURL), "https://例え.jp/%F0%9F%98%80?q=あ");
}

TEST_F(BookmarkFileTest, AFileThatIsNoBookmarkFileIsRefused) {
  WriteBytes(dir.File("page.html"), "<!DOCTYPE html><DL><DT><A HREF=\"http://x/\">x</A></DL>");
  const std::size_t before = doc.GetNodeList().size();
  EXPECT_FALSE(ImportBookmarkFile(doc, dir.File("page.html")));
  EXPECT_EQ(ui.messages.back().icon, MbIcon::Stop);
  EXPECT_FALSE(ReadDataFile(doc, dir.File("page.html")));
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(BookmarkFileTest, ExportWritesTheFileBrowsersRead) {
  LINKINFO* cat = AddCategory(Top(), ToCp932("趣味 & <遊び>"));
  LINKINFO* link = AddLink(cat, ToCp932("\"登山\" & 'hiking'"));
  link->m_strURL = "http://m.example/?a=1&b=\"2\"";
  link->m_nYear = 2010;
  link->m_nMonth = 1;
  link->m_nDay = 1;
  LINKINFO* plain = AddLink(Top(), "Plain");
  plain->m_strURL = "http://plain/";
  plain->m_nYear = 0;
  AddCategory(cat, "Empty");

  std::tm local{};
  local.tm_year = 110;
  local.tm_mday = 1;
  local.tm_isdst = -1;
  const std::string date = std::to_string(static_cast<long long>(std::mktime(&local)));
  const std::string expected =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
      "<!-- This is an automatically generated file.\r\n"
      "     It will be read and overwritten.\r\n"
      "     DO NOT EDIT! -->\r\n"
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
      "<TITLE>Top Category</TITLE>\r\n"
      "<H1>Top Category</H1>\r\n"
      "\r\n"
      "<DL><p>\r\n"
      "    <DT><H3>趣味 &amp; &lt;遊び&gt;</H3>\r\n"
      "    <DL><p>\r\n"
      "        <DT><A HREF=\"http://m.example/?a=1&amp;b=&quot;2&quot;\" ADD_DATE=\"" +
      date +
      "\">&quot;登山&quot; &amp; &#39;hiking&#39;</A>\r\n"
      "        <DT><H3>Empty</H3>\r\n"
      "        <DL><p>\r\n"
      "        </DL><p>\r\n"
      "    </DL><p>\r\n"
      "    <DT><A HREF=\"http://plain/\">Plain</A>\r\n"
      "</DL><p>\r\n";
  ASSERT_TRUE(ExportBookmarkFile(doc, Top(), dir.File("out.html")));
  EXPECT_EQ(ReadBytes(dir.File("out.html")), expected);

  // Round trip: the same categories, titles and URLs come back under the work box, as HTML
  // that shows what the owner's HTML showed.
  ASSERT_TRUE(ImportBookmarkFile(doc, dir.File("out.html")));
  LINKINFO* back = Child(doc.GetWorkBox(), "趣味 &amp; &lt;遊び&gt;");
  ASSERT_NE(back, nullptr);
  LINKINFO* linkBack = Child(back, "&quot;登山&quot; &amp; 'hiking'");
  ASSERT_NE(linkBack, nullptr);
  EXPECT_EQ(linkBack->m_strURL, "http://m.example/?a=1&b=%222%22");
  EXPECT_EQ(linkBack->m_nYear, 2010);
  EXPECT_NE(Child(back, "Empty"), nullptr);
  EXPECT_EQ(Child(doc.GetWorkBox(), "Plain")->m_strURL, "http://plain/");

  // A planted link in the way is not written through.
  VESK_SKIP_WITHOUT_SYMLINKS();
  WriteBytes(dir.File("victim"), "keep");
  std::filesystem::create_symlink(dir.File("victim"), dir.File("link.html"));
  EXPECT_FALSE(ExportBookmarkFile(doc, Top(), dir.File("link.html")));
  EXPECT_EQ(ReadBytes(dir.File("victim")), "keep");
}

}  // namespace
}  // namespace vesk::test
