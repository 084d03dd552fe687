#include "document/document_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "knd_builder.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "support/doc_fixture.h"
#include "support/file_size_limit.h"
#include "support/view_recorder.h"
#include "text/encoding.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::CFileSizeLimit;
using test::KndBuilder;

class DocumentFileTest : public test::DocFixture {
 protected:
  std::string Path(const std::string& name) const { return dir.File(name); }
  static std::string ReadFile(const std::string& path) { return test::ReadBytes(path); }
  static void WriteFile(const std::string& path, const std::string& bytes) {
    test::WriteBytes(path, bytes);
  }
  // Loads bytes through the file, as the desktop program opens it.
  bool Open(const std::string& bytes) {
    WriteFile(Path("in.knd"), bytes);
    return doc.OnOpenDocument(Path("in.knd"));
  }
  bool ShownUnexpectedFormat() const {
    return !ui.messages.empty() && ui.messages.back().text == UnexpectedFormatText();
  }
  LINKINFO* Nth(std::size_t i) {
    auto it = doc.GetNodeList().begin();
    std::advance(it, i);
    return *it;
  }
};

// The fixed-category record of a new document, as the worked example lays it out.
void FixedRecord(KndBuilder& b, std::uint32_t serial, const std::string& name, int marker,
                 const LINKINFO& node) {
  b.U32(serial).U8(0).U8(0).U8(0).U32(0);
  b.I32(node.m_nYear).I32(node.m_nMonth).I32(node.m_nDay).I32(0);
  b.Str(name).U8(0).U8(0).U8(0).U8(0);
  b.U32(0).I32(marker).U8(0x00).U8(0x03).U8(0).U8(0).U32(0);
}

TEST_F(DocumentFileTest, NewDocumentIsStoredByteForByte) {
  ASSERT_TRUE(doc.OnSaveDocument(Path("new.knd")));
  KndBuilder b;
  b.U8(0x25).Raw("Kestrelnest Application Data Format\r\n");
  b.Raw(std::string("\x2C\x01\x00\x00", 4)).Raw(std::string("\x03\x00\x00\x00", 4));
  b.Raw(std::string("\xFF\xFF\x00\x00\x08\x00", 6)).Raw("FILEINFO");
  b.U8(8).Raw("category").U8(3).Raw("cgi").U8(10).Raw("search.cgi").U8(0).U8(4).Raw("html");
  b.U8(0).U8(0).Raw(std::string("\x14\x00\x00\x00", 4));
  b.U8(6).Raw("option").Raw(std::string("\x03\x00\x00\x00", 4));
  b.Raw(std::string("\xFF\xFF\x00\x00\x08\x00", 6)).Raw("LINKINFO");
  FixedRecord(b, 0, "Top Category", -1, *doc.GetTopCategory());
  b.Raw(std::string("\x03\x80", 2));
  FixedRecord(b, 1, "\x8D\xEC\x8B\xC6\x94\xA0", -2, *doc.GetWorkBox());
  b.Raw(std::string("\x03\x80", 2));
  FixedRecord(b, 2, "\x82\xB2\x82\xDD\x94\xA0", -3, *doc.GetTrash());
  EXPECT_EQ(ReadFile(Path("new.knd")), b.bytes);
  EXPECT_EQ(doc.GetPathName(), Path("new.knd"));
  EXPECT_EQ(doc.GetTitle(), "new.knd");
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentFileTest, StringLengthPrefixesFollowTheLength) {
  doc.SelectCategory(doc.GetWorkBox(), true);
  LINKINFO* link = doc.CreateNode(NodeKind::Link);
  struct Case {
    std::size_t length;
    std::string prefix;
  } cases[] = {
      {254, std::string("\xFE")},
      {255, std::string("\xFF\xFF\x00", 3)},
      {65533, std::string("\xFF\xFD\xFF")},
      {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
      {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
  };
  for (const Case& c : cases) {
    link->m_strURL = std::string(c.length, 'u');
    std::string bytes = CDocumentFile::Store(doc);
    std::string expected = c.prefix + link->m_strURL;
    EXPECT_NE(bytes.find(expected), std::string::npos) << c.length;
    ASSERT_TRUE(CDocumentFile::Load(doc, bytes)) << c.length;
    link = doc.GetNodeList().back();
    EXPECT_EQ(link->m_strURL.size(), c.length);
  }
}

TEST_F(DocumentFileTest, LineBreaksAndTabsAreDroppedInTheFileOnly) {
  doc.SelectCategory(doc.GetWorkBox(), true);
  LINKINFO* link = doc.CreateNode(NodeKind::NewLink);
  link->m_strComment = "line1\r\nline2\tend";
  link->m_strTitle = "t\ti\nt";
  link->m_strKeywords = "G1\t\tk1\tk2";
  ASSERT_TRUE(doc.OnSaveDocument(Path("a.knd")));
  EXPECT_EQ(link->m_strComment, "line1\r\nline2\tend");
  ASSERT_TRUE(doc.OnOpenDocument(Path("a.knd")));
  LINKINFO* back = doc.GetNodeList().back();
  EXPECT_EQ(back->m_strComment, "line1line2end");
  EXPECT_EQ(back->m_strTitle, "tit");
  EXPECT_EQ(back->m_strKeywords, "G1\t\tk1\tk2");
}

TEST_F(DocumentFileTest, SaveAndLoadKeepEveryValueAndTheTree) {
  doc.GetFileInfo().m_strCgiName = "cat";
  doc.GetFileInfo().m_strTemplate = "/t/template.html";
  doc.GetFileInfo().m_nLinksPerPage = 33;
  doc.SelectCategory(doc.GetTopCategory(), true);
  LINKINFO* sub = doc.CreateNode(NodeKind::Category);
  sub->m_strTitle = ToCp932("日本語");
  sub->m_strFileName = "sub";
  sub->m_nSortMode = 18;
  doc.SelectCategory(sub, true);
  LINKINFO* link = doc.CreateNode(NodeKind::NewLink);
  link->m_strTitle = "Title";
  link->m_strURL = "http://example.com/";
  link->m_strAdmin = "admin";
  link->m_strEmail = "a@example.com";
  link->m_strBanner = "<IMG SRC=\"b.gif\">";
  link->m_strKeywords = "\tkw";
  link->m_nMark = 2;
  link->m_nFlags = 0x4600;
  link->m_nYear = 2019, link->m_nMonth = 11, link->m_nDay = 30;
  doc.SelectCategory(doc.GetWorkBox(), true);
  LINKINFO* parked = doc.CreateNode(NodeKind::Link);
  parked->m_strTitle = "parked";
  ASSERT_TRUE(doc.OnSaveDocument(Path("r.knd")));
  std::int32_t update = link->m_tUpdate;
  EXPECT_NE(update, 0);
  EXPECT_EQ(sub->m_tUpdate, update);

  CVeskDoc other(settings, ui);
  ASSERT_TRUE(other.OnOpenDocument(Path("r.knd")));
  EXPECT_EQ(other.GetLoadedVersion(), 300);
  EXPECT_FALSE(other.IsModified());
  EXPECT_EQ(other.GetNextSerial(), 6u);
  EXPECT_EQ(other.GetFileInfo().m_strCgiName, "cat");
  EXPECT_EQ(other.GetFileInfo().m_strTemplate, "/t/template.html");
  EXPECT_EQ(other.GetFileInfo().m_nLinksPerPage, 33);
  ASSERT_EQ(other.GetNodeList().size(), 6u);
  LINKINFO* s2 = other.FindBySerial(3);
  LINKINFO* l2 = other.FindBySerial(4);
  LINKINFO* p2 = other.FindBySerial(5);
  ASSERT_TRUE(s2 && l2 && p2);
  EXPECT_EQ(s2->m_pParent, other.GetTopCategory());
  EXPECT_EQ(s2->m_strTitle, ToCp932("日本語"));
  EXPECT_EQ(s2->m_nSortMode, 18);
  EXPECT_EQ(l2->m_pParent, s2);
  EXPECT_EQ(p2->m_pParent, other.GetWorkBox());
  EXPECT_EQ(l2->m_strTitle, "Title");
  EXPECT_EQ(l2->m_strURL, "http://example.com/");
  EXPECT_EQ(l2->m_strAdmin, "admin");
  EXPECT_EQ(l2->m_strEmail, "a@example.com");
  EXPECT_EQ(l2->m_strBanner, "<IMG SRC=\"b.gif\">");
  EXPECT_EQ(l2->m_strKeywords, "\tkw");
  EXPECT_EQ(l2->m_nMark, 2);
  EXPECT_EQ(l2->m_nFlags, 0x4600);
  EXPECT_EQ(l2->m_nKind, 2);
  EXPECT_EQ(l2->m_tUpdate, update);
  EXPECT_EQ(l2->m_nYear * 10000 + l2->m_nMonth * 100 + l2->m_nDay, 20191130);
  EXPECT_EQ(other.GetTopCategory()->m_strTitle, "Top Category");
  EXPECT_EQ(other.GetTrash()->m_nSerial, 2u);
  EXPECT_EQ(CDocumentFile::Store(other), ReadFile(Path("r.knd")));
}

TEST_F(DocumentFileTest, SavingTellsTheViewsNothingAndClearsUndo) {
  test::ViewRecorder view;
  doc.AddView(&view);
  doc.RecordUndo(doc.GetWorkBox(), kUndoChanged, doc.BeginUndoGroup());
  ASSERT_TRUE(doc.OnSaveDocument(Path("s.knd")));
  EXPECT_TRUE(view.hints.empty());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
  doc.RemoveView(&view);
}

TEST_F(DocumentFileTest, ExpandedStatesAskedOfTheTreeAreSaved) {
  // Shows the work box expanded, Top Category collapsed and the trash not at all.
  struct Tree : IDocView {
    CVeskDoc* doc;
    void OnUpdate(ViewHint, LINKINFO*) override {}
    std::optional<bool> IsCategoryExpanded(const LINKINFO* category) const override {
      if (category == doc->GetWorkBox()) return true;
      if (category == doc->GetTopCategory()) return false;
      return std::nullopt;
    }
  } tree;
  tree.doc = &doc;
  doc.GetTopCategory()->m_nMark = kExpandedMark;
  doc.GetTrash()->m_nMark = kExpandedMark;
  test::ViewRecorder silent;  // a view that shows no category leaves the answer to the tree
  doc.AddView(&silent);
  doc.AddView(&tree);
  ASSERT_TRUE(doc.OnSaveDocument(Path("e.knd")));
  doc.RemoveView(&tree);
  doc.RemoveView(&silent);
  ASSERT_TRUE(doc.OnOpenDocument(Path("e.knd")));
  EXPECT_EQ(doc.GetWorkBox()->m_nMark, kExpandedMark);
  EXPECT_EQ(doc.GetTopCategory()->m_nMark, 0);
  EXPECT_EQ(doc.GetTrash()->m_nMark, kExpandedMark);
}

TEST_F(DocumentFileTest, OrphansAreSavedUnderTheWorkBox) {
  doc.SelectCategory(doc.GetTopCategory(), true);
  LINKINFO* cat = doc.CreateNode(NodeKind::Category);
  doc.SelectCategory(cat, true);
  LINKINFO* link = doc.CreateNode(NodeKind::Link);
  // Undoing the category's creation takes it out, leaving its link behind.
  doc.RecordUndo(cat, kUndoCreated, doc.BeginUndoGroup());
  doc.OnEditUndo();
  ASSERT_FALSE(doc.Contains(cat));
  CDocumentFile::Store(doc);
  EXPECT_EQ(link->m_nParentSerial, 1);
  ASSERT_TRUE(doc.OnSaveDocument(Path("o.knd")));
  ASSERT_TRUE(doc.OnOpenDocument(Path("o.knd")));
  EXPECT_EQ(doc.GetNodeList().back()->m_pParent, doc.GetWorkBox());
}

TEST_F(DocumentFileTest, DuplicateSerialsLoadAndTheSaveAsks) {
  KndBuilder b;
  b.Header().U32(300).U32(5).DefaultFileInfo().Str("option").U32(5);
  b.NewType("LINKINFO").Body(KndBuilder::Category(0, -1, "Top Category"), true);
  b.U16(0x8003).Body(KndBuilder::Category(1, -2, "W"), true);
  b.U16(0x8003).Body(KndBuilder::Category(2, -3, "T"), true);
  b.U16(0x8003).Body(KndBuilder::Link(3, 0, "first"), true);
  b.U16(0x8003).Body(KndBuilder::Link(3, 0, "second"), true);
  ASSERT_TRUE(Open(b.bytes));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(doc.FindBySerial(3)->m_strTitle, "first");

  ui.answers = {MbResult::Cancel};
  EXPECT_FALSE(doc.OnSaveDocument(Path("in.knd")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ResString(kIdsSerialProblemAsk));
  EXPECT_EQ(ui.messages[0].buttons, MbButtons::OkCancel);
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Information);
  EXPECT_EQ(ReadFile(Path("in.knd")), b.bytes);

  ui.answers = {MbResult::Ok};
  ASSERT_TRUE(doc.OnSaveDocument(Path("in.knd")));
  ASSERT_TRUE(doc.OnOpenDocument(Path("in.knd")));
  EXPECT_EQ(doc.FindBySerial(3)->m_strTitle, "first");
  EXPECT_EQ(doc.FindBySerial(4)->m_strTitle, "second");
  EXPECT_EQ(doc.GetNextSerial(), 5u);
}

TEST_F(DocumentFileTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
  ASSERT_TRUE(doc.OnSaveDocument(Path("keep.knd")));
  std::string before = ReadFile(Path("keep.knd"));
  doc.SelectCategory(doc.GetWorkBox(), true);
  doc.CreateNode(NodeKind::Link);
  doc.SetModifiedFlag(true);
  doc.GetNodeList().back()->m_strComment = std::string(4096, 'c');
  // A file-size limit makes the write of the temporary file fail part way, as a full disk does.
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to imitate a full disk with";
#endif
  CFileSizeLimit full(1024);
  ASSERT_TRUE(full.IsSet());
  bool saved = doc.OnSaveDocument(Path("keep.knd"));
  full.Restore();
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile(Path("keep.knd")), before);
  ASSERT_FALSE(ui.messages.empty());
  // The framework's words, then why, then which file.
  EXPECT_EQ(
      ToUtf8(ui.messages.back().text),
      "ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。\nディスク容量が足りません。\nファイル: " + Path("keep.knd"));
  EXPECT_TRUE(doc.IsModified());
  for (const auto& e : fs::directory_iterator(dir.Str()))
    EXPECT_EQ(e.path().filename(), "keep.knd");  // no temporary file left behind
}

TEST_F(DocumentFileTest, AMissingFileLeavesTheDocumentAsItWas) {
  doc.SelectCategory(doc.GetWorkBox(), true);
  doc.CreateNode(NodeKind::Link);
  EXPECT_FALSE(doc.OnOpenDocument(Path("missing.knd")));
  EXPECT_EQ(doc.GetNodeList().size(), 4u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ToUtf8(ui.messages[0].text),
            "ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。\n"
            "ファイルが見つかりません\nファイル: " +
                Path("missing.knd"));
}

TEST_F(DocumentFileTest, WrongHeaderOrNewerVersionIsRefused) {
  ASSERT_TRUE(doc.OnSaveDocument(Path("good.knd")));
  std::string good = ReadFile(Path("good.knd"));
  std::string badHeader = good;
  badHeader[5] ^= 0x20;
  std::string newer = good;
  newer[38] = 0x2D;  // version 301
  for (const std::string& bytes : {badHeader, newer}) {
    ui.messages.clear();
    doc.SelectCategory(doc.GetWorkBox(), true);
    doc.CreateNode(NodeKind::Link);
    EXPECT_FALSE(Open(bytes));
    EXPECT_TRUE(ShownUnexpectedFormat());
    EXPECT_EQ(ToUtf8(ui.messages.back().text), "予期しないﾌｧｲﾙ形式です。");
    // A new empty document follows.
    EXPECT_EQ(doc.GetNodeList().size(), 3u);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_NE(doc.GetTrash(), nullptr);
  }
}

TEST_F(DocumentFileTest, EveryTruncationIsRefused) {
  doc.SelectCategory(doc.GetWorkBox(), true);
  doc.CreateNode(NodeKind::Link)->m_strTitle = std::string(300, 'x');
  std::string bytes = CDocumentFile::Store(doc);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    CVeskDoc other(settings, ui);
    ASSERT_FALSE(CDocumentFile::Load(other, std::string_view(bytes).substr(0, n))) << n;
  }
  CVeskDoc other(settings, ui);
  EXPECT_TRUE(CDocumentFile::Load(other, bytes));
}

TEST_F(DocumentFileTest, UnexpectedRecordsAreRefused) {
  auto file = [](auto records) {
    KndBuilder b;
    b.Header().U32(300).U32(3).DefaultFileInfo().Str("option").U32(2);
    b.NewType("LINKINFO").Body(KndBuilder::Category(0, -1, "Top"), true);
    records(b);
    return b.bytes;
  };
  auto node = KndBuilder::Category(1, -2, "W");
  std::string cases[] = {
      file([&](KndBuilder& b) { b.U16(0x0000).Body(node, true); }),  // null reference
      file([&](KndBuilder& b) { b.U16(0x0004).Body(node, true); }),  // back-reference
      file([&](KndBuilder& b) { b.U16(0x8001).Body(node, true); }),  // FILEINFO type
      file([&](KndBuilder& b) { b.U16(0x8002).Body(node, true); }),  // a record, not a type
      file([&](KndBuilder& b) { b.U16(0x8009).Body(node, true); }),  // unknown type
      file([&](KndBuilder& b) { b.U16(0x7FFF).U32(4).Body(node, true); }),
      file([&](KndBuilder& b) { b.NewType("LINKINFX").Body(node, true); }),
      file([&](KndBuilder& b) { b.U16(0xFFFF).U16(1).U16(8).Raw("LINKINFO").Body(node, true); }),
  };
  for (const std::string& bytes : cases) {
    CVeskDoc other(settings, ui);
    EXPECT_FALSE(CDocumentFile::Load(other, bytes));
  }
  // The long form of a type reference is accepted.
  CVeskDoc other(settings, ui);
  EXPECT_TRUE(CDocumentFile::Load(
      other, file([&](KndBuilder& b) { b.U16(0x7FFF).U32(0x80000003).Body(node, true); })));
  KndBuilder noFileInfo;
  noFileInfo.Header().U32(300).U32(0).NewType("LINKINFO");
  EXPECT_FALSE(CDocumentFile::Load(other, noFileInfo.bytes));
}

TEST_F(DocumentFileTest, HugeCountsAndLengthsDoNotAllocate) {
  KndBuilder count;
  count.Header().U32(300).U32(3).DefaultFileInfo().Str("option").U32(0xFFFFFFFF);
  KndBuilder length;
  length.Header().U32(300).U32(3).DefaultFileInfo().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFF0);
  KndBuilder wide;
  wide.Header().U32(300).U32(3).DefaultFileInfo().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF);
  wide.U32(0x7FFFFFFF);
  KndBuilder oldCategories;
  oldCategories.Header().U32(100).U32(0).U32(0xFFFFFFFF).U32(0);
  for (const auto* b : {&count, &length, &wide, &oldCategories}) {
    CVeskDoc other(settings, ui);
    EXPECT_FALSE(CDocumentFile::Load(other, b->bytes));
  }
}

TEST_F(DocumentFileTest, Utf16StringsAreAcceptedOnReading) {
  KndBuilder b;
  b.Header().U32(300).U32(3).DefaultFileInfo().Str("option").U32(3);
  // Top Category's name as a UTF-16 string: "日本" then "A".
  b.NewType("LINKINFO").U32(0).U8(0).U8(0).U8(0).U32(0).I32(2020).I32(1).I32(1).I32(0);
  b.U8(0xFF).U16(0xFFFE).U8(3).U16(0x65E5).U16(0x672C).U16(0x0041);
  b.U8(0).U8(0).U8(0).U8(0).I32(0).I32(-1).I32(768).I32(0);
  b.U16(0x8003).Body(KndBuilder::Category(1, -2, "W"), true);
  b.U16(0x8003).Body(KndBuilder::Category(2, -3, "T"), true);
  ASSERT_TRUE(Open(b.bytes));
  EXPECT_EQ(doc.GetTopCategory()->m_strTitle, ToCp932("日本A"));
}

TEST_F(DocumentFileTest, Version200TakesItsGenreListAndHasNoFileInfo) {
  KndBuilder b;
  b.Header().U32(200).U32(4).Str("X\tY\t").U32(4);
  b.NewType("LINKINFO").Body(KndBuilder::Category(0, -1, "Top"), true);
  b.U16(0x8001).Body(KndBuilder::Category(1, -2, "W"), true);
  b.U16(0x8001).Body(KndBuilder::Category(2, -3, "T"), true);
  auto link = KndBuilder::Link(3, 0, "L");
  link.keywords = "X\t\tkw";
  b.U16(0x8001).Body(link, true);
  ASSERT_TRUE(Open(b.bytes));
  EXPECT_EQ(doc.GetLoadedVersion(), 200);
  EXPECT_EQ(doc.GetGenreList(), "X\tY\t");
  EXPECT_EQ(settings.GetGenreList(), "X\tY\t");
  EXPECT_EQ(doc.GetFileInfo().m_strCgiName, "category");
  EXPECT_EQ(doc.GetNodeList().back()->m_pParent, doc.GetTopCategory());
  EXPECT_EQ(doc.GetNodeList().back()->m_strKeywords, "X\t\tkw");

  // A version-300 file leaves the stored list alone.
  settings.SetGenreList("Z\t");
  ASSERT_TRUE(doc.OnSaveDocument(Path("v300.knd")));
  settings.SetGenreList("Q\t");
  ASSERT_TRUE(doc.OnOpenDocument(Path("v300.knd")));
  EXPECT_EQ(settings.GetGenreList(), "Q\t");
  EXPECT_EQ(doc.GetGenreList(), "Q\t");
}

TEST_F(DocumentFileTest, Version101IsConvertedWithItsCategoryTable) {
  KndBuilder b;
  b.Header().U32(101).U32(50).Str("ignored").U32(3);
  auto l1 = KndBuilder::Link(10, 0, "in sub");
  l1.email = "Sub";
  auto l2 = KndBuilder::Link(11, 0, "in top");
  l2.email = "Top";
  auto l3 = KndBuilder::Link(12, 0, "lost");
  l3.email = "nowhere";
  b.NewType("LINKINFO").Body(l1, false);
  b.U16(0x8001).Body(l2, false);
  b.U16(0x8001).Body(l3, false);
  b.U32(3);
  b.U32(0).Str("Top").Str("top").U32(32);
  b.U32(0x10001).Str("Sub").Str("sub").U32(0);  // only the low 16 bits count
  b.U32(1).Str("Sub").Str("sub2").U32(0);       // a second "Sub": links go to the first
  ASSERT_TRUE(Open(b.bytes));
  ASSERT_EQ(doc.GetNodeList().size(), 8u);
  LINKINFO* top = Nth(3);
  LINKINFO* sub = Nth(4);
  EXPECT_EQ(doc.GetTopCategory(), top);
  EXPECT_EQ(top->m_nParentSerial, -1);
  EXPECT_EQ(top->m_nMark, 32);
  EXPECT_EQ(top->m_nSerial, 50u);
  EXPECT_EQ(sub->m_nSerial, 51u);
  EXPECT_EQ(Nth(5)->m_nSerial, 52u);
  EXPECT_EQ(sub->m_pParent, top);
  EXPECT_EQ(Nth(5)->m_pParent, top);
  EXPECT_EQ(sub->m_strFileName, "sub");
  EXPECT_EQ(Nth(0)->m_pParent, sub);
  EXPECT_EQ(Nth(0)->m_strEmail, "");
  EXPECT_EQ(Nth(0)->m_nKind, 1);
  EXPECT_EQ(Nth(0)->m_nSerial, 10u);
  EXPECT_EQ(Nth(1)->m_pParent, top);
  EXPECT_EQ(Nth(2)->m_pParent, nullptr);
  EXPECT_EQ(Nth(2)->m_strEmail, "nowhere");
  EXPECT_EQ(doc.GetWorkBox(), Nth(6));
  EXPECT_EQ(doc.GetTrash(), Nth(7));
  EXPECT_EQ(doc.GetWorkBox()->m_nSerial, 53u);
  EXPECT_EQ(doc.GetTrash()->m_nSerial, 54u);
  EXPECT_EQ(doc.GetWorkBox()->m_nParentSerial, -2);
  EXPECT_EQ(doc.GetTrash()->m_strTitle, ResString(kIdsTrash));
  EXPECT_EQ(doc.GetNextSerial(), 55u);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.StatusCounts(), "0003 / 0002");
  // The lost link goes under the work box at the next save.
  ASSERT_TRUE(doc.OnSaveDocument(Path("in.knd")));
  EXPECT_EQ(Nth(2)->m_nParentSerial, 53);
}

TEST_F(DocumentFileTest, Version100IsRenumbered) {
  KndBuilder b;
  b.Header().U32(100).U32(1);
  auto l = KndBuilder::Link(700, 0, "link");
  l.email = "Top";
  b.NewType("LINKINFO").Body(l, false);
  b.U32(1).U32(0).Str("Top").Str("").U32(0);
  ASSERT_TRUE(Open(b.bytes));
  ASSERT_EQ(doc.GetNodeList().size(), 4u);
  EXPECT_EQ(Nth(0)->m_nSerial, 0u);
  EXPECT_EQ(Nth(1)->m_nSerial, 1u);
  EXPECT_EQ(Nth(0)->m_pParent, doc.GetTopCategory());
  EXPECT_EQ(doc.GetWorkBox()->m_nSerial, 2u);
  EXPECT_EQ(doc.GetTrash()->m_nSerial, 3u);
  EXPECT_EQ(doc.GetNextSerial(), 4u);
  EXPECT_EQ(doc.GetLoadedVersion(), 100);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentFileTest, LargeOldFilesStillGetWorkBoxAndTrash) {
  KndBuilder b;
  b.Header().U32(100).U32(2000);
  b.NewType("LINKINFO").Body(KndBuilder::Link(0, 0, "l"), false);
  for (int i = 1; i < 2000; ++i) b.U16(0x8001).Body(KndBuilder::Link(i, 0, "l"), false);
  b.U32(1).U32(0).Str("Top").Str("").U32(0);
  ASSERT_TRUE(Open(b.bytes));
  EXPECT_EQ(doc.GetNodeList().size(), 2003u);
  ASSERT_NE(doc.GetWorkBox(), nullptr);
  ASSERT_NE(doc.GetTrash(), nullptr);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(doc.CheckSerials());
}

TEST_F(DocumentFileTest, MissingFixedCategoriesAreCreated) {
  KndBuilder b;
  b.Header().U32(300).U32(2).DefaultFileInfo().Str("option").U32(2);
  b.NewType("LINKINFO").Body(KndBuilder::Category(7, -1, "Top"), true);
  b.U16(0x8003).Body(KndBuilder::Link(2, 7, "l"), true);
  ASSERT_TRUE(Open(b.bytes));
  ASSERT_EQ(doc.GetNodeList().size(), 4u);
  EXPECT_EQ(doc.GetTopCategory(), Nth(0));
  EXPECT_EQ(doc.GetWorkBox(), Nth(2));
  EXPECT_EQ(doc.GetTrash(), Nth(3));
  EXPECT_EQ(doc.GetWorkBox()->m_nSerial, 8u);
  EXPECT_EQ(doc.GetTrash()->m_nSerial, 9u);
  EXPECT_EQ(doc.GetWorkBox()->m_strTitle, ResString(kIdsWorkBox));
  EXPECT_EQ(doc.GetTrash()->m_nParentSerial, -3);
  EXPECT_EQ(doc.GetNextSerial(), 10u);
  EXPECT_TRUE(doc.CheckSerials());

  // A link marked as a fixed category does not become one.
  KndBuilder c;
  c.Header().U32(300).U32(3).DefaultFileInfo().Str("option").U32(1);
  c.NewType("LINKINFO").Body(KndBuilder::Link(0, -1, "not a category"), true);
  ASSERT_TRUE(Open(c.bytes));
  ASSERT_EQ(doc.GetNodeList().size(), 4u);
  EXPECT_TRUE(doc.GetTopCategory()->IsCategory());
  EXPECT_EQ(doc.GetTopCategory()->m_nSerial, 3u);
}

TEST_F(DocumentFileTest, ParentLoopsAreCut) {
  KndBuilder b;
  b.Header().U32(300).U32(6).DefaultFileInfo().Str("option").U32(6);
  b.NewType("LINKINFO").Body(KndBuilder::Category(0, -1, "Top"), true);
  b.U16(0x8003).Body(KndBuilder::Category(1, -2, "W"), true);
  b.U16(0x8003).Body(KndBuilder::Category(2, -3, "T"), true);
  b.U16(0x8003).Body(KndBuilder::Category(3, 4, "A"), true);
  b.U16(0x8003).Body(KndBuilder::Category(4, 3, "B"), true);
  b.U16(0x8003).Body(KndBuilder::Category(5, 5, "self"), true);
  ASSERT_TRUE(Open(b.bytes));
  for (LINKINFO* start : doc.GetNodeList()) {
    std::size_t steps = 0;
    for (LINKINFO* p = start; p; p = p->m_pParent) ASSERT_LT(++steps, 10u);
  }
  doc.SelectCategory(Nth(3), true);
  EXPECT_FALSE(doc.IsInTrash());
  doc.ComputeUpdateTimes(Nth(4));
  EXPECT_EQ(doc.StatusCounts(), "0001 / 0000");
  ASSERT_TRUE(doc.OnSaveDocument(Path("in.knd")));
}

// A saved file names parents by serial; a loaded document must save to bytes that load back to
// the same tree, or every open and save would move the user's entries.
TEST_F(DocumentFileTest, ALoadedDocumentSavesToTheSameBytesEveryTime) {
  auto storedTwice = [&](const std::string& bytes) {
    EXPECT_TRUE(CDocumentFile::Load(doc, bytes));
    std::string first = CDocumentFile::Store(doc);
    CVeskDoc again(settings, ui);
    EXPECT_TRUE(CDocumentFile::Load(again, first));
    EXPECT_EQ(CDocumentFile::Store(again), first);
    return first;
  };
  auto current = [](std::uint32_t count) {
    KndBuilder b;
    b.Header().U32(300).U32(10).DefaultFileInfo().Str("option").U32(count);
    return b;
  };

  // A work box whose serial reads back as its own marker: the orphan filed under it would
  // become a second work box.
  KndBuilder marker = current(4);
  marker.NewType("LINKINFO").Body(KndBuilder::Category(0, -1, "Top"), true);
  marker.U16(0x8003).Body(KndBuilder::Category(0xFFFFFFFE, -2, "W"), true);
  marker.U16(0x8003).Body(KndBuilder::Category(2, -3, "T"), true);
  marker.U16(0x8003).Body(KndBuilder::Category(3, 99, "orphan"), true);
  storedTwice(marker.bytes);
  EXPECT_EQ(Nth(1), doc.GetWorkBox());
  EXPECT_EQ(Nth(1)->m_nSerial, 10u);
  EXPECT_EQ(Nth(3)->m_nParentSerial, 10);

  // A parent serial of 2^31 or more is negative in the file and still names its parent.
  KndBuilder high = current(5);
  high.NewType("LINKINFO").Body(KndBuilder::Category(0, -1, "Top"), true);
  high.U16(0x8003).Body(KndBuilder::Category(1, -2, "W"), true);
  high.U16(0x8003).Body(KndBuilder::Category(2, -3, "T"), true);
  high.U16(0x8003).Body(KndBuilder::Category(0x80000005, 0, "high"), true);
  high.U16(0x8003).Body(KndBuilder::Link(4, static_cast<int>(0x80000005), "child"), true);
  storedTwice(high.bytes);
  EXPECT_EQ(Nth(4)->m_pParent, Nth(3));
  EXPECT_EQ(Nth(3)->m_nSerial, 0x80000005u);

  // The work box shares its serial with an earlier category that sits below the orphan: filed
  // under that serial, the orphan would close a loop at the next load.
  KndBuilder shared = current(5);
  shared.NewType("LINKINFO").Body(KndBuilder::Category(1, 5, "below the orphan"), true);
  shared.U16(0x8003).Body(KndBuilder::Category(5, 99, "orphan"), true);
  shared.U16(0x8003).Body(KndBuilder::Category(0, -1, "Top"), true);
  shared.U16(0x8003).Body(KndBuilder::Category(1, -2, "W"), true);
  shared.U16(0x8003).Body(KndBuilder::Category(2, -3, "T"), true);
  storedTwice(shared.bytes);
  EXPECT_EQ(Nth(0)->m_pParent, Nth(1));
  EXPECT_EQ(doc.GetWorkBox()->m_nSerial, 10u);
  EXPECT_EQ(Nth(1)->m_nParentSerial, 10);
  EXPECT_EQ(Nth(0)->m_nSerial, 1u);  // only the parent that could not be named changes

  // An old file whose category table hands out a serial that a link already has.
  KndBuilder old;
  old.Header().U32(101).U32(7).Str("").U32(1);
  auto link = KndBuilder::Link(7, 0, "l");
  link.email = "Top";
  old.NewType("LINKINFO").Body(link, false);
  old.U32(1).U32(0).Str("Top").Str("").U32(0);
  storedTwice(old.bytes);
  EXPECT_EQ(Nth(0)->m_pParent, doc.GetTopCategory());
  EXPECT_NE(doc.GetTopCategory()->m_nSerial, 7u);
}

TEST_F(DocumentFileTest, AGenreListOfOptionClearsKeywords) {
  settings.SetGenreList("option");
  settings.SetLinkFlag(0x600);
  KndBuilder b;
  b.Header().U32(300).U32(4).DefaultFileInfo().Str("option").U32(4);
  b.NewType("LINKINFO").Body(KndBuilder::Category(0, -1, "Top"), true);
  b.U16(0x8003).Body(KndBuilder::Category(1, -2, "W"), true);
  b.U16(0x8003).Body(KndBuilder::Category(2, -3, "T"), true);
  auto l = KndBuilder::Link(3, 0, "L");
  l.keywords = "\tk";
  l.flags = 0x2000;
  b.U16(0x8003).Body(l, true);
  ASSERT_TRUE(Open(b.bytes));
  EXPECT_EQ(doc.GetNodeList().back()->m_strKeywords, "");
  EXPECT_EQ(doc.GetNodeList().back()->m_nFlags, 0x600);
}

// A genre list from a file goes to the settings only when the opening command allows it, and
// one larger than the settings sheet can make is refused with a message.
TEST_F(DocumentFileTest, AGenreListFromAFileIsBoundedAndMayLeaveTheSettingsAlone) {
  auto file = KndBuilder::Version200WithGenres;
  settings.SetGenreList("Mine\t");
  doc.SetLeaveSettings(true);
  ASSERT_TRUE(Open(file("X\tY\t")));
  EXPECT_EQ(doc.GetGenreList(), "X\tY\t");
  EXPECT_EQ(settings.GetGenreList(), "Mine\t");

  doc.SetLeaveSettings(false);
  std::string many;
  for (int i = 0; i < 101; ++i) many += "g\t";
  ui.messages.clear();
  ASSERT_TRUE(Open(file(many)));
  EXPECT_EQ(doc.GetGenreList(), "Mine\t");
  EXPECT_EQ(settings.GetGenreList(), "Mine\t");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ToUtf8(ui.messages[0].text).find("ジャンルリストが大きすぎる"), std::string::npos);
  ASSERT_TRUE(Open(file(std::string(5000, 'g') + "\t")));
  EXPECT_EQ(settings.GetGenreList(), "Mine\t");
}

TEST_F(DocumentFileTest, SavingThroughALinkWritesItsTargetAndKeepsTheLink) {
  VESK_SKIP_WITHOUT_SYMLINKS();
  fs::create_directory(Path("real"));
  ASSERT_TRUE(doc.OnSaveDocument(Path("real/doc.knd")));
  fs::create_symlink(Path("real/doc.knd"), Path("link.knd"));
  ASSERT_TRUE(doc.OnOpenDocument(Path("link.knd")));
  doc.GetTopCategory()->m_strComment = "new";
  doc.SetModifiedFlag(true);
  ASSERT_TRUE(doc.OnSaveDocument(Path("link.knd")));
  EXPECT_TRUE(fs::is_symlink(Path("link.knd")));
  EXPECT_NE(ReadFile(Path("real/doc.knd")).find("\x03new"), std::string::npos);
  EXPECT_EQ(doc.GetPathName(), Path("link.knd"));
}

// A name of up to 255 bytes can be saved, and a leftover temporary file of a killed save (here a
// planted link in its place) is taken over, never followed.
TEST_F(DocumentFileTest, LongNamesSaveAndLeftoverTemporariesAreReused) {
  VESK_SKIP_WITHOUT_SYMLINKS();
  const std::string name = std::string(251, 'n') + ".knd";
  ASSERT_TRUE(doc.OnSaveDocument(Path(name))) << ToUtf8(ui.messages.back().text);
  for (const auto& e : fs::directory_iterator(dir.Str())) EXPECT_EQ(e.path().filename(), name);
  WriteFile(Path("victim"), "precious");
  const std::string temp = Path("." + name.substr(0, 200) + ".vesk-tmp");
  fs::create_symlink(Path("victim"), temp);
  doc.SetModifiedFlag(true);
  ASSERT_TRUE(doc.OnSaveDocument(Path(name)));
  EXPECT_EQ(ReadFile(Path("victim")), "precious");
  EXPECT_FALSE(fs::exists(fs::symlink_status(temp)));
  EXPECT_EQ(ReadFile(Path(name)).substr(1, 11), "Kestrelnest");
}

// A file claiming more nodes than there are serial numbers is refused before any is built: the
// smallest record of an old file is ten bytes, a node in memory some hundred times that.
TEST_F(DocumentFileTest, MoreNodesThanSerialsAreRefusedUpFront) {
  KndBuilder b;
  b.Header().U32(100).U32(0).U32(kSerialLimit + 1);
  for (std::uint32_t i = 0; i <= kSerialLimit; ++i) b.U32(i == 0 ? 0 : 1).U8(0).U8(0).U32(0);
  EXPECT_FALSE(Open(b.bytes));
  EXPECT_TRUE(ShownUnexpectedFormat());
  EXPECT_EQ(doc.GetNodeList().size(), 3u);
}

}  // namespace
}  // namespace vesk
