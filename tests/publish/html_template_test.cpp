#include "publish/html_template.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "document/link_info.h"
#include "document/user_interface.h"
#include "settings/vesk_settings.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::CTempFolder;
using test::ReadBytes;
using test::ScriptedUI;

// Just enough of a settings store for the mark texts.
class MarkBackend : public ISettingsBackend {
 public:
  std::map<std::string, std::string> strings;
  bool CreateKey(const std::string&) override { return true; }
  bool KeyExists(const std::string&) override { return true; }
  std::optional<std::uint32_t> ReadDword(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ReadString(const std::string& key, const std::string& name) override {
    auto it = strings.find(key + "|" + name);
    if (it == strings.end()) return std::nullopt;
    return it->second;
  }
  bool WriteDword(const std::string&, const std::string&, std::uint32_t) override { return true; }
  bool WriteString(const std::string& key, const std::string& name,
                   const std::string& value) override {
    strings[key + "|" + name] = value;
    return true;
  }
  bool DeleteValue(const std::string&, const std::string&) override { return true; }
  bool DeleteKey(const std::string&) override { return true; }
  std::vector<std::string> EnumSubkeys(const std::string&) override { return {}; }
};

// Owns the nodes a test hands to the template.
class Nodes {
 public:
  LINKINFO* Category(const std::string& title, const std::string& file, std::uint32_t serial,
                     int childCount = 0, const std::string& comment = "") {
    auto* n = Make(0, serial);
    n->m_strTitle = title;
    n->m_strFileName = file;
    n->m_nChildCount = childCount;
    n->m_strComment = comment;
    return n;
  }
  LINKINFO* Link(const std::string& title, const std::string& url, std::uint32_t serial,
                 const std::string& comment = "") {
    auto* n = Make(1, serial);
    n->m_strTitle = title;
    n->m_strURL = url;
    n->m_strComment = comment;
    n->m_nYear = 2001;
    n->m_nMonth = 3;
    n->m_nDay = 7;
    return n;
  }

 private:
  LINKINFO* Make(int kind, std::uint32_t serial) {
    m_nodes.push_back(std::make_unique<LINKINFO>(kind, 0));
    m_nodes.back()->m_nSerial = serial;
    return m_nodes.back().get();
  }
  std::vector<std::unique_ptr<LINKINFO>> m_nodes;
};

TEST(HtmlTemplateLoad, EveryLineEndsInOneLfWhateverTheFileHad) {
  CHtmlTemplate t("html");
  EXPECT_EQ(t.LoadTemplateText("a\r\nb\nc"), kTemplateSingle);
  EXPECT_EQ(t.m_strPage, "a\nb\nc\n");

  CTempFolder dir;
  std::ofstream(dir.File("t.html"), std::ios::binary) << "x\r\n\r\ny";
  CHtmlTemplate f("html");
  EXPECT_EQ(f.LoadTemplate(dir.File("t.html")), kTemplateSingle);
  EXPECT_EQ(f.m_strPage, "x\n\ny\n");
}

TEST(HtmlTemplateLoad, UnreadableTemplateGivesNoneSilentlyAndChangesNothing) {
  CTempFolder dir;
  ScriptedUI ui;
  CHtmlTemplate t("html", nullptr, &ui);
  EXPECT_EQ(t.LoadTemplate(dir.File("missing.html")), kTemplateNone);
  EXPECT_EQ(t.LoadTemplate(dir.Str()), kTemplateNone);  // a folder is not a template
  EXPECT_EQ(t.LoadTemplate(""), kTemplateNone);
  EXPECT_TRUE(t.m_strPage.empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST(HtmlTemplateLoad, MultiCategoryMarkerCountsOnlyOutsideTheBlocks) {
  CHtmlTemplate inside("html");
  EXPECT_EQ(inside.LoadTemplateText("<!-- Links Data -->\n<!-- Kestrelnest Multi Category -->\n"
                                    "<!-- End Links Data -->\n"),
            kTemplateSingle);
  CHtmlTemplate outside("html");
  EXPECT_EQ(outside.LoadTemplateText("<!-- Kestrelnest Multi Category -->\n"), kTemplateMulti);
}

TEST(HtmlTemplateBlocks, ExtractBlockMovesTheMarkerLineBreakIntoTheBlock) {
  std::string text = "head\n  <!-- A -->\nbody\n<!-- /A -->\ntail\n";
  std::string block = CHtmlTemplate::ExtractBlock(text, "<!-- A -->", "<!-- /A -->");
  EXPECT_EQ(block, "\nbody\n\n");
  // The start marker is glued to the preceding text: white space before it is gone.
  EXPECT_EQ(text, "head<!-- A -->tail\n");
}

TEST(HtmlTemplateBlocks, ExtractBlockLeavesTextAloneWithoutBothMarkersInOrder) {
  std::string noEnd = "a<!-- A -->b";
  EXPECT_EQ(CHtmlTemplate::ExtractBlock(noEnd, "<!-- A -->", "<!-- /A -->"), "");
  EXPECT_EQ(noEnd, "a<!-- A -->b");
  // An end marker before the start marker is no end marker.
  std::string reversed = "<!-- /A -->x<!-- A -->y";
  EXPECT_EQ(CHtmlTemplate::ExtractBlock(reversed, "<!-- A -->", "<!-- /A -->"), "");
  EXPECT_EQ(reversed, "<!-- /A -->x<!-- A -->y");
}

TEST(HtmlTemplateBlocks, RemoveMarkerOnItsOwnLineJoinsTheNeighbouringLines) {
  std::string text = "one\n<!-- Delete -->\ntwo\n";
  EXPECT_TRUE(CHtmlTemplate::RemoveMarker(text, "<!-- Delete -->"));
  EXPECT_EQ(text, "onetwo\n");
  EXPECT_FALSE(CHtmlTemplate::RemoveMarker(text, "<!-- Delete -->"));
  EXPECT_EQ(text, "onetwo\n");
}

TEST(HtmlTemplateBlocks, RemoveSpanTidiesBothSides) {
  std::string text = "a \n<!-- Delete -->cell<!-- End Delete -->\nb";
  EXPECT_TRUE(CHtmlTemplate::RemoveSpan(text, "<!-- Delete -->", "<!-- End Delete -->"));
  EXPECT_EQ(text, "ab");
  std::string open = "a<!-- Delete -->cell";
  EXPECT_FALSE(CHtmlTemplate::RemoveSpan(open, "<!-- Delete -->", "<!-- End Delete -->"));
  EXPECT_EQ(open, "a<!-- Delete -->cell");
}

const char* kCellTemplate =
    "<!-- Category Data -->\n"
    "<TABLE>\n"
    "<!-- Category List Up -->\n"
    "<TR>"
    "<!-- Delete --><TD>$Category</TD><!-- End Delete -->"
    "<!-- Delete --><TD>$Category</TD><!-- End Delete -->"
    "<!-- Delete --><TD>$Category</TD><!-- End Delete -->"
    "</TR>\n"
    "<!-- End Category List Up -->\n"
    "</TABLE>\n"
    "<!-- End Category Data -->\n";

TEST(HtmlTemplateCells, ThreeCellsFourCategoriesGiveAFullRowAndATrimmedRow) {
  Nodes nodes;
  std::vector<const LINKINFO*> children;
  for (const char* name : {"A", "B", "C", "D"}) children.push_back(nodes.Category(name, "", 1));
  CHtmlTemplate t("html");
  t.LoadTemplateText(kCellTemplate);
  EXPECT_TRUE(t.ListCategories(children));
  // The block keeps the line breaks of the marker lines around it.
  EXPECT_EQ(t.m_strCategoryListOut,
            "\n<TR><TD>A</TD><TD>B</TD><TD>C</TD></TR>\n\n"
            "\n<TR><TD>D</TD></TR>\n\n");
  t.AddCategoryData(children);
  EXPECT_EQ(t.BuildPage("", 0, ""),
            "\n<TABLE>\n<TR><TD>A</TD><TD>B</TD><TD>C</TD></TR>\n\n\n<TR><TD>D</TD></TR>\n\n"
            "</TABLE>\n\n");
}

TEST(HtmlTemplateCells, ExactlyFullRowsLeaveNothingPending) {
  Nodes nodes;
  std::vector<const LINKINFO*> children;
  for (const char* name : {"A", "B", "C"}) children.push_back(nodes.Category(name, "", 1));
  CHtmlTemplate t("html");
  t.LoadTemplateText(kCellTemplate);
  EXPECT_TRUE(t.ListCategories(children));
  EXPECT_EQ(t.m_strCategoryListOut, "\n<TR><TD>A</TD><TD>B</TD><TD>C</TD></TR>\n\n");
}

TEST(HtmlTemplateCells, AnUnfinishedRowWithoutEndDeleteIsDropped) {
  Nodes nodes;
  std::vector<const LINKINFO*> children;
  for (const char* name : {"A", "B", "C"}) children.push_back(nodes.Category(name, "", 1));
  CHtmlTemplate t("html");
  t.LoadTemplateText(
      "<!-- Category List Up -->[<!-- Delete -->$Category<!-- End Delete -->"
      "<!-- Delete -->$Category]<!-- End Category List Up -->");
  EXPECT_FALSE(t.ListCategories(children));
  // A and B fill the first row (the second cell's end marker is missing, but the first cell's end
  // marker is the one removed); C's row cannot be finished and is dropped.
  EXPECT_EQ(t.m_strCategoryListOut.find("C"), std::string::npos);
}

TEST(HtmlTemplateCategories, FillsChildPlaceholdersFirstOccurrenceOnly) {
  Nodes nodes;
  auto* child = nodes.Category("Cat", "category5.cgi", 42, 7, "note");
  CHtmlTemplate t("htm");
  t.LoadTemplateText(
      "<!-- Category Data --><!-- Category List Up -->"
      "$Num|$Category|$Comment|$Cateflie|$Count|[$New]|$Num\n"
      "<!-- End Category List Up --><!-- End Category Data -->");
  t.AddCategoryData({child});
  EXPECT_EQ(t.m_strCategoryDataOut, "42|Cat|note|category5.htm|7|[]|$Num\n\n");
}

TEST(HtmlTemplateCategories, EmptyChildListStillGivesOneCategoryDataInstance) {
  CHtmlTemplate t("html");
  t.LoadTemplateText(
      "<!-- Category Data -->\n<UL><!-- Category List Up -->\n<LI>$Category\n"
      "<!-- End Category List Up --></UL>\n<!-- End Category Data -->\n");
  t.AddCategoryData({});
  EXPECT_EQ(t.m_strCategoryDataOut, "\n<UL></UL>\n\n");
}

const char* kLinkTemplate =
    "<!-- Links Data -->\n"
    "<H2>$Category ($Count)</H2>\n"
    "<!-- Link List Up <Comment> -->\n"
    "C:$Title:$Comment\n"
    "<!-- End Link List Up <Comment> -->\n"
    "<!-- Link List Up -->\n"
    "P:$Title\n"
    "<!-- End Link List Up -->\n"
    "<!-- End Links Data -->\n";

TEST(HtmlTemplateLinks, CommentVariantOnlyForLinksWithAComment) {
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "category1.cgi", 1);
  std::vector<const LINKINFO*> links = {nodes.Link("a", "u", 2, "note"), nodes.Link("b", "u", 3),
                                        nodes.Link("c", "u", 4, "more")};
  CHtmlTemplate t("html");
  t.LoadTemplateText(kLinkTemplate);
  t.AddLinksData(*cat, links);
  EXPECT_EQ(t.m_nLinkCount, 3);
  // All comment entries stand where the comment block was, before the plain entries.
  EXPECT_EQ(t.m_strLinksDataOut, "\n<H2>Cat (3)</H2>\nC:a:note\n\n\nC:c:more\n\n\nP:b\n\n\n");
}

TEST(HtmlTemplateLinks, WithoutCommentBlockEveryLinkUsesThePlainBlock) {
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "", 1);
  CHtmlTemplate t("html");
  t.LoadTemplateText(
      "<!-- Links Data --><!-- Link List Up <Comment> --><!-- End Link List Up <Comment> -->"
      "<!-- Link List Up -->[$Title $Comment]<!-- End Link List Up --><!-- End Links Data -->");
  t.AddLinksData(*cat, {nodes.Link("a", "u", 2, "note"), nodes.Link("b", "u", 3)});
  EXPECT_EQ(t.m_strLinksDataOut, "[a note][b ]\n");
}

TEST(HtmlTemplateLinks, FillsEveryLinkPlaceholderWithDatesAndMarks) {
  MarkBackend backend;
  backend.WriteString("Settings\\Data", "CoolData", "COOL");
  backend.WriteString("Settings\\Data", "CheckData", "CHECK");
  CVeskSettings settings(backend);
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "", 1);
  auto* link = nodes.Link("T", "http://x/", 17);
  link->m_strAdmin = "Adm";
  link->m_strEmail = "a@b";
  link->m_strBanner = "<IMG src=\"b.gif\">";
  link->m_nMark = 1;
  auto* other = nodes.Link("U", "http://y/", 18);
  other->m_nMark = 4;  // no such mark: empty text
  other->m_nYear = 1999;
  other->m_nMonth = 12;
  other->m_nDay = 31;
  CHtmlTemplate t("html", &settings);
  t.LoadTemplateText(
      "<!-- Links Data --><!-- Link List Up -->"
      "$Num $Title $URL $Master $Email $Comment $Banner [$New] $Year/$Month/$Day;"
      "<!-- End Link List Up --><!-- End Links Data -->");
  t.AddLinksData(*cat, {link, other});
  EXPECT_EQ(t.m_strLinksDataOut,
            "17 T http://x/ Adm a@b  <IMG src=\"b.gif\"> [COOL] 2001/03/07;"
            "18 U http://y/     [] 1999/12/31;\n");
}

TEST(HtmlTemplateLinks, LinksDataPlaceholdersComeFromTheCategory) {
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "category3.cgi", 9, 0, "cc");
  CHtmlTemplate t("html");
  t.LoadTemplateText(
      "<!-- Links Data -->$Num $Category $Catefile $Comment $Count $Cateflie"
      "<!-- Link List Up --><!-- End Link List Up --><!-- End Links Data -->");
  t.AddLinksData(*cat, {});
  // "$Cateflie" is no Links Data placeholder; an empty list gives count 0 and no entries.
  EXPECT_EQ(t.m_strLinksDataOut, "9 Cat category3.cgi cc 0 $Cateflie\n");
}

TEST(HtmlTemplateOrder, AValueInsertedEarlierMeetsTheLaterReplacements) {
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "", 1);
  // The title carries "$URL": the first "$URL" is now inside the title, so the block's own
  // "$URL" stays; the comment's "$Count" is reached by the page-level replacement.
  auto* link = nodes.Link("x$URL", "http://u/", 2, "see $Count and $Keyword");
  CHtmlTemplate t("html");
  t.LoadTemplateText(
      "<!-- Links Data --><!-- Link List Up -->$Title|$URL|$Comment"
      "<!-- End Link List Up --><!-- End Links Data -->");
  t.AddLinksData(*cat, {link});
  EXPECT_EQ(t.m_strLinksDataOut, "xhttp://u/|$URL|see $Count and $Keyword\n");
  EXPECT_EQ(t.BuildPage("P", 5, "f.html"), "xhttp://u/|$URL|see 5 and \n");
}

TEST(HtmlTemplatePage, TemplateWithoutMarkersGetsOnlyThePageReplacements) {
  CHtmlTemplate t("html");
  t.LoadTemplateText("<TITLE>$Category</TITLE>$Category $Catefile $Count [$Keyword] $Title");
  EXPECT_EQ(t.BuildPage("Name", 12, "category3_2.html"),
            "<TITLE>Name</TITLE>Name category3_2.html 12 [] $Title\n");
}

TEST(HtmlTemplatePage, EveryReplacementDoesNotRescanItsOwnValue) {
  CHtmlTemplate t("html");
  t.LoadTemplateText("$Category/$Category");
  EXPECT_EQ(t.BuildPage("$Category$Category", 0, ""), "$Category$Category/$Category$Category\n");
}

TEST(HtmlTemplatePage, ListMarkersOutsideTheirSectionsStayAsComments) {
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "", 1);
  CHtmlTemplate t("html");
  t.LoadTemplateText(
      "<!-- Category List Up -->$Category<!-- End Category List Up -->\n"
      "<!-- Link List Up -->$Title<!-- End Link List Up -->\n");
  t.AddCategoryData({nodes.Category("Child", "", 2)});
  t.AddLinksData(*cat, {nodes.Link("L", "u", 3)});
  EXPECT_EQ(t.BuildPage("Cat", 1, ""), "<!-- Category List Up --><!-- Link List Up -->");
}

TEST(HtmlTemplatePage, SectionsAndNavigationGoToTheirMarkers) {
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "category0.cgi", 1);
  CHtmlTemplate t("html");
  t.LoadTemplateText(
      "<BODY>\n"
      "<!-- Category Data -->\n[cats<!-- Category List Up -->\n$Category\n"
      "<!-- End Category List Up -->]\n<!-- End Category Data -->\n"
      "<!-- Links Data -->\n{links<!-- Link List Up -->\n$Title\n<!-- End Link List Up -->}\n"
      "<!-- End Links Data -->\n"
      "<P><!-- Links Page --></P>\n"
      "</BODY>\n");
  t.AddCategoryData({nodes.Category("Sub", "", 2)});
  t.AddLinksData(*cat, {nodes.Link("L1", "u", 3), nodes.Link("L2", "u", 4)});
  t.SetLinksPage("- 1 -");
  EXPECT_EQ(t.BuildPage("Cat", 2, "category0.html"),
            "<BODY>\n[cats\nSub\n]\n\n\n{links\nL1\n\nL2\n}\n\n<P>- 1 -</P>\n</BODY>\n");
}

TEST(HtmlTemplateWrite, WritesCrLfAndEmptiesTheOutputsForTheNextPage) {
  CTempFolder dir;
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "", 1);
  CHtmlTemplate t("html");
  t.LoadTemplateText("<!-- Links Data -->$Count\n<!-- End Links Data -->\n<!-- Links Page -->\n");
  t.AddLinksData(*cat, {nodes.Link("a", "u", 2)});
  t.SetLinksPage("nav");
  std::string cp932Name = ToCp932("日本");
  ASSERT_TRUE(t.WritePage(dir.File("p1"), cp932Name, 1, "p1"));
  EXPECT_EQ(ReadBytes(dir.File("p1")), "1\r\n\r\nnav\r\n");
  ASSERT_TRUE(t.WritePage(dir.File("p2"), cp932Name, 1, "p2"));
  EXPECT_EQ(ReadBytes(dir.File("p2")), "\r\n");
}

TEST(HtmlTemplateWrite, AFailedPageIsReportedByResultAndLeavesNothingForTheNext) {
  CTempFolder dir;
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "", 1);
  CHtmlTemplate t("html");
  t.LoadTemplateText("<!-- Links Data -->$Title<!-- End Links Data -->[<!-- Links Page -->]");
  t.AddLinksData(*cat, {});
  t.SetLinksPage("nav");
  EXPECT_FALSE(t.WritePage(dir.File("no/such/p"), "Cat", 0, "p"));
  EXPECT_TRUE(t.WritePage(dir.File("p"), "Cat", 0, "p"));
  EXPECT_EQ(ReadBytes(dir.File("p")), "[]\r\n");
}

TEST(HtmlTemplateWrite, CommentWithTagsIsWrittenUnescaped) {
  CTempFolder dir;
  Nodes nodes;
  auto* cat = nodes.Category("Cat", "", 1);
  CHtmlTemplate t("html");
  t.LoadTemplateText(
      "<!-- Links Data --><!-- Link List Up -->$Comment<!-- End Link List Up -->"
      "<!-- End Links Data -->");
  t.AddLinksData(*cat, {nodes.Link("a", "u", 2, "<B>bold</B> & \"q\"")});
  ASSERT_TRUE(t.WritePage(dir.File("p"), "Cat", 1, "p"));
  EXPECT_EQ(ReadBytes(dir.File("p")), "<B>bold</B> & \"q\"\r\n");
}

}  // namespace
}  // namespace vesk
