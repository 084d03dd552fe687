#include "publish/html_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <thread>

#include "publish/data_file.h"
#include "publish/html_template.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

// A published tree without a document: the node list, Top Category, the work box and the
// output settings that the HTML output reads.
class Site {
 public:
  Site() {
    top = Add(0, nullptr, "Top Category");
    workBox = Add(0, nullptr, "work");
  }
  LINKINFO* Add(int kind, LINKINFO* parent, const std::string& title,
                const std::string& comment = "") {
    m_owned.push_back(std::make_unique<LINKINFO>(kind, 0));
    LINKINFO* n = m_owned.back().get();
    n->m_nSerial = static_cast<std::uint32_t>(m_owned.size());
    n->m_pParent = parent;
    n->m_strTitle = title;
    n->m_strComment = comment;
    n->m_strURL = "http://example.com/" + std::to_string(n->m_nSerial);
    n->m_nYear = 2001;
    n->m_nMonth = 2;
    n->m_nDay = 3;
    list.push_back(n);
    return n;
  }
  void AddLinks(LINKINFO* parent, int count) {
    for (int i = 0; i < count; ++i) Add(1, parent, "L" + std::to_string(i + 1));
  }
  // A fresh output run over the tree, writing into the site's folder.
  std::unique_ptr<CDataFile> Run() {
    auto data = std::make_unique<CDataFile>(ui);
    data->m_pNodeList = &list;
    data->m_pTop = top;
    data->m_pFileInfo = &info;
    return data;
  }
  bool Publish(std::string* changed = nullptr) {
    auto data = Run();
    bool result = data->PublishHtml(dir.Path());
    if (changed) *changed = data->m_strChanged;
    return result;
  }
  void UseTemplate(const std::string& text) {
    WriteBytes(dir.File("template.txt"), text);
    info.m_strTemplate = dir.File("template.txt");
  }
  std::string Page(const std::string& name) const { return ReadBytes(dir.File(name)); }

  CTempFolder dir;
  ScriptedUI ui;
  FILEINFO info;
  NodeList list;
  LINKINFO* top;
  LINKINFO* workBox;

 private:
  std::vector<std::unique_ptr<LINKINFO>> m_owned;
};

const char* kPagingTemplate =
    "<HTML><TITLE>$Category</TITLE>\n"
    "<!-- Category Data -->\n"
    "<!-- Category List Up -->\n"
    "[cat $Category $Cateflie]\n"
    "<!-- End Category List Up -->\n"
    "<!-- End Category Data -->\n"
    "<!-- Links Data -->\n"
    "<!-- Link List Up -->\n"
    "[link $Title]\n"
    "<!-- End Link List Up -->\n"
    "<!-- End Links Data -->\n"
    "{<!-- Links Page -->} file=$Catefile count=$Count\n"
    "</HTML>\n";

std::size_t Occurrences(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

TEST(HtmlPages, FortyOneLinksMakeThreePagesWithCategoryDataOnlyOnTheFirst) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  site.Add(0, site.top, "Sub");
  site.AddLinks(site.top, 41);
  std::string changed;
  EXPECT_TRUE(site.Publish(&changed));
  // Top is named first (number 0), its child next; the child's page is committed first.
  EXPECT_EQ(changed, site.dir.File("category1.html") + "\r\n" + site.dir.File("category0.html") +
                         "\r\n" + site.dir.File("category0_2.html") + "\r\n" +
                         site.dir.File("category0_3.html") + "\r\n");
  std::string p1 = site.Page("category0.html"), p2 = site.Page("category0_2.html"),
              p3 = site.Page("category0_3.html");
  EXPECT_EQ(Occurrences(p1, "[cat Sub category1.html]"), 1u);
  EXPECT_EQ(Occurrences(p2, "[cat "), 0u);
  EXPECT_EQ(Occurrences(p1, "[link "), 20u);
  EXPECT_EQ(Occurrences(p2, "[link "), 20u);
  EXPECT_EQ(Occurrences(p3, "[link "), 1u);
  EXPECT_NE(p3.find("[link L41]"), std::string::npos);
  EXPECT_NE(p2.find("{- <A href=\"category0.html\">1</A> 2 <A href=\"category0_3.html\">3</A> -}"
                    " file=category0_2.html count=41\r\n"),
            std::string::npos);
  EXPECT_NE(p1.find("<TITLE>Top Category</TITLE>\r\n"), std::string::npos);
  EXPECT_EQ(p1.find('\n'), p1.find("\r\n") + 1);  // CR LF on disk
  EXPECT_TRUE(site.ui.messages.empty());
  EXPECT_FALSE(fs::exists(site.dir.File("vesktemp.)vesk(")));
}

TEST(HtmlPages, FortyLinksMakeExactlyTwoPages) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  site.AddLinks(site.top, 40);
  EXPECT_TRUE(site.Publish());
  EXPECT_NE(site.Page("category0.html").find("{- 1 <A href=\"category0_2.html\">2</A> -}"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(site.dir.File("category0_2.html")));
  EXPECT_FALSE(fs::exists(site.dir.File("category0_3.html")));
}

TEST(HtmlPages, ACategoryWithoutLinksStillGetsItsFirstPage) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  EXPECT_TRUE(site.Publish());
  EXPECT_NE(site.Page("category0.html").find("{- 1 -} file=category0.html count=0"),
            std::string::npos);
}

TEST(HtmlPages, LinksPerPageBelowOneCountsAsTwenty) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  site.info.m_nLinksPerPage = 0;
  site.AddLinks(site.top, 21);
  EXPECT_TRUE(site.Publish());
  EXPECT_EQ(Occurrences(site.Page("category0.html"), "[link "), 20u);
  EXPECT_EQ(Occurrences(site.Page("category0_2.html"), "[link "), 1u);
}

TEST(HtmlPages, AnUnchangedSecondRunTouchesNothing) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  site.Add(0, site.top, "Sub");
  site.AddLinks(site.top, 25);
  ASSERT_TRUE(site.Publish());
  auto before = fs::last_write_time(site.dir.File("category0_2.html"));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::string changed = "x";
  EXPECT_FALSE(site.Publish(&changed));
  EXPECT_EQ(changed, "");
  EXPECT_EQ(fs::last_write_time(site.dir.File("category0_2.html")), before);
  // One more link changes the count on both pages, but not the child's page.
  site.Add(1, site.top, "New");
  EXPECT_TRUE(site.Publish(&changed));
  EXPECT_EQ(changed,
            site.dir.File("category0.html") + "\r\n" + site.dir.File("category0_2.html") + "\r\n");
}

TEST(HtmlPages, WorkBoxAndTrashAreNeverPublished) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  site.Add(0, site.workBox, "Hidden");
  site.Add(1, site.workBox, "hidden link");
  std::string changed;
  site.Publish(&changed);
  EXPECT_EQ(changed, site.dir.File("category0.html") + "\r\n");
  EXPECT_EQ(site.Page("category0.html").find("Hidden"), std::string::npos);
}

TEST(HtmlPages, NestedCategoriesArePublishedChildrenBeforeParents) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  LINKINFO* a = site.Add(0, site.top, "A");
  site.Add(0, a, "A1");
  site.Add(0, site.top, "B");
  std::string changed;
  site.Publish(&changed);
  // Names follow the visit order (Top 0, A 1, A1 2, B 3); commits go children first.
  EXPECT_EQ(changed, site.dir.File("category2.html") + "\r\n" + site.dir.File("category1.html") +
                         "\r\n" + site.dir.File("category3.html") + "\r\n" +
                         site.dir.File("category0.html") + "\r\n");
  EXPECT_EQ(a->m_nChildCount, 1);
  EXPECT_NE(site.Page("category1.html").find("[cat A1 category2.html]"), std::string::npos);
}

TEST(HtmlPages, MultiCategoryTemplateWritesOnePageOfTheFirstLevel) {
  Site site;
  site.UseTemplate(
      "<!-- Kestrelnest Multi Category -->\n"
      "<!-- Category Data --><!-- Category List Up -->(cat $Category $Count)"
      "<!-- End Category List Up --><!-- End Category Data -->\n"
      "<!-- Links Data -->[sec $Category $Count<!-- Link List Up -->(link $Title)"
      "<!-- End Link List Up -->]<!-- End Links Data -->\n"
      "nav{<!-- Links Page -->} $Catefile\n");
  LINKINFO* a = site.Add(0, site.top, "A");
  LINKINFO* deep = site.Add(0, a, "Deep");
  site.Add(1, deep, "deep link");
  site.Add(1, a, "a link");
  site.Add(1, site.top, "top link");
  LINKINFO* b = site.Add(0, site.top, "B");
  site.Add(1, b, "b link");
  std::string changed;
  EXPECT_TRUE(site.Publish(&changed));
  EXPECT_EQ(changed, site.dir.File("category0.html") + "\r\n");
  EXPECT_EQ(site.Page("category0.html"),
            "<!-- Kestrelnest Multi Category -->(cat A 2)(cat B 1)\r\n"
            "[sec A 1(link a link)]\r\n[sec B 1(link b link)]\r\n"
            "nav{} category0.html\r\n");
}

TEST(HtmlPages, PlainPagesWithoutATemplate) {
  Site site;
  site.info.m_strTemplate = site.dir.File("missing.html");
  site.Add(0, site.top, "C1");
  LINKINFO* link = site.Add(1, site.top, "Link", "<B>note</B>");
  link->m_strBanner = "<IMG src=\"b.gif\">";
  site.Add(0, site.top, "C2");
  site.Add(1, site.top, "Bare");
  std::string changed;
  EXPECT_TRUE(site.Publish(&changed));
  EXPECT_EQ(changed, site.dir.File("category1.html") + "\r\n" + site.dir.File("category2.html") +
                         "\r\n" + site.dir.File("category0.html") + "\r\n");
  std::string expected =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 //EN\">\r\n"
      "<HTML>\r\n<HEAD>\r\n"
      "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n"
      "<META name=\"GENERATOR\" content=\"Kestrelnest Application\">\r\n"
      "<TITLE>Top Category - Kestrelnest -</TITLE>\r\n"
      "<BODY>\r\n"
      "<H3>Top Category</H3>\r\n<HR>\r\n"
      "<P>\r\n"
      "<A href=\"category1.html\">C1</A><BR>\r\n"
      "<A href=\"category2.html\">C2</A><BR>\r\n"
      "</P>\r\n<HR>\r\n"
      "<P>\x81\x45<A href=\"http://example.com/4\"><IMG src=\"b.gif\"> - Link</A>"
      " <FONT size=2>update 2001/02/03</FONT><BR>\r\n<B>note</B></P>\r\n"
      "<P>\x81\x45<A href=\"http://example.com/6\">Bare</A>"
      " <FONT size=2>update 2001/02/03</FONT></P>\r\n"
      "</BODY>\r\n</HTML>\r\n";
  EXPECT_EQ(site.Page("category0.html"), expected);
  // A category without child categories has no category paragraph at all.
  EXPECT_EQ(site.Page("category1.html").find("<P>\r\n"), std::string::npos);
}

TEST(HtmlPages, FileNamesThatLeaveTheOutputFolderAreRefused) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  site.info.m_strCgiName = "../escape";
  std::string changed;
  EXPECT_FALSE(site.Publish(&changed));
  EXPECT_EQ(changed, "");
  ASSERT_EQ(site.ui.messages.size(), 1u);
  EXPECT_EQ(site.ui.messages[0].icon, MbIcon::Stop);
  EXPECT_FALSE(fs::exists(site.dir.Path() + "../escape0.html"));

  site.info.m_strCgiName = "category";
  site.info.m_strHtmlExt = "x/y";
  site.ui.messages.clear();
  EXPECT_FALSE(site.Publish());
  EXPECT_EQ(site.ui.messages.size(), 1u);
}

TEST(HtmlPages, AFailedPageShowsTheMessageAndTheRunGoesOn) {
  Site site;
  site.UseTemplate(kPagingTemplate);
  site.Add(0, site.top, "Sub");
  auto data = site.Run();
  // An output folder that does not exist: no temporary file can be created for any page.
  EXPECT_FALSE(data->PublishHtml(site.dir.File("nowhere/")));
  // Once per category: the cause with the file, then message 10010.
  ASSERT_EQ(site.ui.messages.size(), 4u);
  EXPECT_EQ(site.ui.messages[0].Utf8(),
            "ファイルが見つかりません\nファイル: " + site.dir.File("nowhere/vesktemp.)vesk("));
  EXPECT_EQ(site.ui.messages[1].Utf8(), "リンク集のHTMLファイルの書き込みに失敗しました。");
  EXPECT_EQ(site.ui.messages[1].icon, MbIcon::Stop);
  EXPECT_EQ(site.ui.messages[3].Utf8(), site.ui.messages[1].Utf8());
}

TEST(HtmlPages, NavigationLinksAreRelativeToThePage) {
  Site site;
  site.AddLinks(site.top, 45);
  auto data = site.Run();
  CHtmlPages pages(*data);
  pages.PublishHtml(site.dir.Path());  // builds the index
  EXPECT_EQ(pages.BuildPageNavigation("/some/folder/name", site.top, 3),
            "- <A href=\"name.html\">1</A> <A href=\"name_2.html\">2</A> 3 -");
  EXPECT_EQ(pages.CollectPageLinks(site.top, 3).size(), 5u);
  EXPECT_EQ(pages.CollectPageLinks(site.top, 4).size(), 0u);
  EXPECT_EQ(pages.CountLinks(site.top), 45u);
}

TEST(SearchPage, ListsTheCurrentCategoryLinksVerbatim) {
  Site site;
  LINKINFO* cat = site.Add(0, site.top, "Cat");
  LINKINFO* a = site.Add(1, cat, "A & <b>");
  site.Add(0, cat, "Sub is no link");
  site.Add(1, site.top, "elsewhere");
  auto data = site.Run();
  data->m_pCurrent = cat;
  ASSERT_TRUE(data->WriteSearchPage(site.dir.File("knrdata.html")));
  EXPECT_EQ(site.Page("knrdata.html"),
            "<HTML>\r\n<HEAD>\r\n<TITLE>Kestrelnest -> Deepscout</TITLE>\r\n"
            "<BODY>\r\n<A href=\"" +
                a->m_strURL + "\">A & <b></A><BR>\r\n</BODY>\r\n</HTML>\r\n");
  data->m_pCurrent = site.workBox;
  ASSERT_TRUE(data->WriteSearchPage(site.dir.File("knrdata.html")));
  EXPECT_EQ(site.Page("knrdata.html"),
            "<HTML>\r\n<HEAD>\r\n<TITLE>Kestrelnest -> Deepscout</TITLE>\r\n<BODY>\r\n"
            "</BODY>\r\n</HTML>\r\n");
  EXPECT_FALSE(data->WriteSearchPage(site.dir.File("no/such/knrdata.html")));
  EXPECT_EQ(site.ui.messages.size(), 1u);
}

}  // namespace
}  // namespace vesk::test
