#include <gtest/gtest.h>

#include <filesystem>

#include "publish/cgi_data.h"
#include "publish/static_search.h"
#include "support/doc_fixture.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

class StaticSearchTest : public DocFixture {
 protected:
  // Runs the output into the temporary folder; returns the list of changed files.
  std::string Publish(bool* changed = nullptr, bool* failed = nullptr) {
    CDataFile data(doc);
    bool c = PublishSearchPage(data, dir.Path(), failed);
    if (changed) *changed = c;
    return data.m_strChanged;
  }
  std::string File(const std::string& name) { return ReadBytes(dir.File(name)); }
  LINKINFO* Link(LINKINFO* parent, const std::string& utf8Title, const std::string& url) {
    LINKINFO* l = AddLink(parent, ToCp932(utf8Title));
    l->m_strURL = url;
    l->m_nFlags = kFlagTitle | kFlagComment;
    l->m_tUpdate = 1000;
    return l;
  }
  static std::string S(const LINKINFO* n) { return std::to_string(n->m_nSerial); }
};

TEST_F(StaticSearchTest, WritesIndexBesideTheSameSearchLinesAsTheCgiOutput) {
  LINKINFO* a = AddCategory(Top(), ToCp932("日本"));
  LINKINFO* l1 = Link(Top(), "トップの<b>リンク</b>", "http://top.example/");
  LINKINFO* l2 = Link(a, "ＡＢＣ１２３　サイト", "http://abc.example/");
  l2->m_strComment = ToCp932("説明 &amp; <i>注</i>");
  LINKINFO* b = AddCategory(a, "B");
  LINKINFO* l3 = Link(b, "Deep", "http://deep.example/");
  Link(doc.GetWorkBox(), "hidden", "http://hidden.example/");
  LINKINFO* l4 = Link(Top(), "Last", "http://last.example/");

  bool changed = false, failed = true;
  std::string list = Publish(&changed, &failed);
  EXPECT_TRUE(changed);
  EXPECT_FALSE(failed);
  EXPECT_EQ(list, dir.File("vesk_search_text.txt") + "\r\n" + dir.File("vesk_search_index.txt") +
                      "\r\n" + dir.File("vesk_search.js") + "\r\n" + dir.File("vesk_search.html") +
                      "\r\n");
  EXPECT_FALSE(fs::exists(dir.File("vesktemp.)vesk(")));

  // Category by category in list order (the category A stands before the first link), named
  // as the link pages name them: top-down.
  EXPECT_EQ(Top()->m_strFileName, "category0.cgi");
  EXPECT_EQ(a->m_strFileName, "category1.cgi");
  EXPECT_EQ(b->m_strFileName, "category2.cgi");
  EXPECT_EQ(File("vesk_search_index.txt"),
            "Vesk search index Rev01\r\n" + S(l2) + "\t" + ToCp932("ＡＢＣ１２３　サイト") +
                "\thttp://abc.example/\t" + ToCp932("説明 &amp; <i>注</i>") + "\tcategory1.html\t" +
                ToCp932("日本") + "\r\n" + S(l3) +
                "\tDeep\thttp://deep.example/\t\tcategory2.html\tB\r\n" + S(l1) + "\t" +
                ToCp932("トップの<b>リンク</b>") +
                "\thttp://top.example/\t\tcategory0.html\tTop Category\r\n" + S(l4) +
                "\tLast\thttp://last.example/\t\tcategory0.html\tTop Category\r\n");

  // The search file is byte for byte the one the CGI output writes, folding included.
  CTempFolder cgi;
  CDataFile data(doc);
  ExportCgiData(doc, data, cgi.Path());
  EXPECT_EQ(File("vesk_search_text.txt"), ReadBytes(cgi.File("search.cgi")));
  EXPECT_NE(File("vesk_search_text.txt").find("ABC123 " + ToCp932("サイト")), std::string::npos);
}

TEST_F(StaticSearchTest, LineBreaksAndTabsInFieldsCannotSplitALine) {
  LINKINFO* l = Link(Top(), "a\tb", "http://x.example/");
  l->m_strComment = "one\r\ntwo";
  Publish();
  EXPECT_EQ(File("vesk_search_index.txt"), "Vesk search index Rev01\r\n" + S(l) +
                                               "\tab\thttp://x.example/\tonetwo\tcategory0.html"
                                               "\tTop Category\r\n");
}

TEST_F(StaticSearchTest, PageCarriesLinksPerPageAndItsTextsInShiftJis) {
  doc.GetFileInfo().m_nLinksPerPage = 7;
  doc.GetFileInfo().m_strHtmlExt = "htm";
  Top()->m_strTitle = ToCp932("私のリンク集");
  Publish();
  EXPECT_FALSE(fs::exists(dir.File("vesk_search.html")));
  const std::string page = File("vesk_search.htm");
  EXPECT_NE(page.find("data-per-page=\"7\""), std::string::npos);
  EXPECT_NE(page.find(ToCp932("該当するリンクはありません。")), std::string::npos);
  EXPECT_NE(page.find("<A href=\"category0.htm\">" + ToCp932("私のリンク集") + "</A>"),
            std::string::npos);
  EXPECT_NE(page.find("<SCRIPT type=\"text/javascript\" src=\"vesk_search.js\"></SCRIPT>\r\n"),
            std::string::npos);
  // Every line ends in CR LF.
  for (std::size_t i = page.find('\n'); i != std::string::npos; i = page.find('\n', i + 1)) {
    ASSERT_EQ(page[i - 1], '\r') << i;
  }
  // The script is ASCII: it does not depend on how the server labels its encoding.
  for (char c : File("vesk_search.js")) ASSERT_LT(static_cast<unsigned char>(c), 0x80u);
}

TEST_F(StaticSearchTest, HitsLinkToThePageTheirLinkIsOnWithATemplate) {
  WriteBytes(dir.File("template.txt"), "<HTML>$Title</HTML>\n");
  doc.GetFileInfo().m_strTemplate = dir.File("template.txt");
  doc.GetFileInfo().m_nLinksPerPage = 5;
  for (int i = 0; i < 11; ++i) Link(Top(), "L" + std::to_string(i), "http://x.example/");
  Publish();
  const std::string index = File("vesk_search_index.txt");
  auto count = [&](const std::string& what) {
    std::size_t n = 0;
    for (std::size_t i = index.find(what); i != std::string::npos; i = index.find(what, i + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("\tcategory0.html\t"), 5u);
  EXPECT_EQ(count("\tcategory0_2.html\t"), 5u);
  EXPECT_EQ(count("\tcategory0_3.html\t"), 1u);
  const std::size_t last = index.find("\tL10\t");
  ASSERT_NE(last, std::string::npos);
  EXPECT_EQ(index.find("\tcategory0_3.html\t"), index.find("\tcategory", last));
}

TEST_F(StaticSearchTest, TemplateWithASearchBlockGivesThePageTheOwnersDesign) {
  WriteBytes(dir.File("template.txt"),
             ToCp932("<HTML><TITLE>$Category ($Count)</TITLE>\n"
                     "<!-- Category Data -->cats<!-- End Category Data -->\n"
                     "<!-- Links Data --><!-- Link List Up -->$Title<!-- End Link List Up -->"
                     "<!-- End Links Data -->\n"
                     "<!-- Search Data --><DIV class=\"mine\">$SearchForm<HR>$SearchResult"
                     "</DIV><!-- End Search Data -->\n"
                     "</HTML>\n"));
  doc.GetFileInfo().m_strTemplate = dir.File("template.txt");
  Link(Top(), "One", "http://x.example/");
  Link(Top(), "Two", "http://y.example/");
  Publish();
  const std::string page = File("vesk_search.html");
  const std::size_t form = page.find("<FORM id=\"vesk-search\"");
  const std::size_t rule = page.find("<HR>");
  const std::size_t result = page.find("<DIV id=\"vesk-search-result\">");
  ASSERT_NE(form, std::string::npos);
  EXPECT_EQ(page.find("<HTML><TITLE>" + ToCp932("検索") + " (2)</TITLE>"), 0u) << ToUtf8(page);
  EXPECT_NE(page.find("<DIV class=\"mine\">"), std::string::npos);
  EXPECT_LT(form, rule);
  EXPECT_LT(rule, result);
  EXPECT_NE(page.find("src=\"vesk_search.js\"", result), std::string::npos);
  // Neither the category section nor the link list reaches the search page...
  EXPECT_EQ(page.find("cats"), std::string::npos);
  EXPECT_EQ(page.find("One"), std::string::npos);
  EXPECT_EQ(page.find("$"), std::string::npos);

  // ...and the search block does not reach the link pages: only its marker stays, a comment.
  CDataFile data(doc);
  ASSERT_TRUE(data.PublishHtml(dir.Path()));
  const std::string linkPage = File("category0.html");
  EXPECT_NE(linkPage.find("One"), std::string::npos);
  EXPECT_EQ(linkPage.find("mine"), std::string::npos);
  EXPECT_EQ(linkPage.find("$Search"), std::string::npos);
}

TEST_F(StaticSearchTest, SecondRunChangesNothingAndAChangeRewritesOnlyItsFiles) {
  LINKINFO* l = Link(Top(), "First", "http://x.example/");
  Publish();
  const auto before = fs::last_write_time(FsPath(dir.File("vesk_search.js")));
  bool changed = true;
  EXPECT_EQ(Publish(&changed), "");
  EXPECT_FALSE(changed);
  l->m_strTitle = "Second";
  EXPECT_EQ(Publish(),
            dir.File("vesk_search_text.txt") + "\r\n" + dir.File("vesk_search_index.txt") + "\r\n");
  EXPECT_EQ(fs::last_write_time(FsPath(dir.File("vesk_search.js"))), before);
}

#ifndef _WIN32
TEST_F(StaticSearchTest, RefusesToWriteThroughAPlantedLink) {
  Link(Top(), "x", "http://x.example/");
  CTempFolder elsewhere;
  WriteBytes(elsewhere.File("victim"), "keep");
  fs::create_symlink(FsPath(elsewhere.File("victim")), FsPath(dir.File("vesk_search_index.txt")));
  bool failed = false;
  Publish(nullptr, &failed);
  EXPECT_TRUE(failed);
  EXPECT_EQ(ReadBytes(elsewhere.File("victim")), "keep");
  EXPECT_FALSE(ui.messages.empty());
}
#endif

TEST_F(StaticSearchTest, CommandWritesIntoTheHtmlFolderAndTellsWhenNothingChanged) {
  const std::string knd = dir.File("site.knd");
  fs::create_directory(FsPath(dir.File("html")));
  doc.GetFileInfo().m_strHtmlFolder = "html";
  Link(Top(), "x", "http://x.example/");
  ASSERT_TRUE(doc.OnSaveDocument(knd));
  doc.SetPathName(knd);
  ASSERT_TRUE(RunSearchPageOutput(doc));
  ASSERT_EQ(ui.results.size(), 1u);
  EXPECT_NE(ui.results[0].find("vesk_search.html"), std::string::npos);
  EXPECT_TRUE(fs::exists(FsPath(dir.File("html/vesk_search_index.txt"))));
  ASSERT_TRUE(RunSearchPageOutput(doc));
  EXPECT_EQ(ui.results.size(), 1u);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().text, ToCp932("新規作成/変更されたファイルはありません。"));
}

}  // namespace
}  // namespace vesk::test
