#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "publish/cgi_data.h"
#include "publish/html_pages.h"
#include "publish/output_progress.h"
#include "support/doc_fixture.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

// Records every report and asks the run to stop once stopAt files are done.
class StopAfter : public IOutputProgress {
 public:
  explicit StopAfter(std::size_t stopAt) : m_stopAt(stopAt) {}
  void Begin(std::size_t total) override {
    ++begun;
    first = total;
  }
  bool FileDone(std::size_t done, std::size_t total) override {
    calls.emplace_back(done, total);
    return done < m_stopAt;
  }
  void End() override { ++ended; }

  int begun = 0, ended = 0;
  std::size_t first = 0;
  std::vector<std::pair<std::size_t, std::size_t>> calls;

 private:
  std::size_t m_stopAt;
};

class OutputCancel : public DocFixture {
 protected:
  void Save() {
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("site.knd")));
    doc.SetPathName(dir.File("site.knd"));
    doc.SetModifiedFlag(false);
  }
  // Every file of the folder but the document, by name, with its bytes.
  std::map<std::string, std::string> Outputs() {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
      const std::string name = entry.path().filename().string();
      if (name != "site.knd" && name != "t.html") files[name] = ReadBytes(entry.path().string());
    }
    return files;
  }
  void RemoveOutputs() {
    for (const auto& [name, bytes] : Outputs()) fs::remove(dir.File(name));
  }
  // Checks that the progress counted 1..total with the total told at the start, in one run.
  static void ExpectFullCount(const StopAfter& p, std::size_t total) {
    EXPECT_EQ(p.begun, 1);
    EXPECT_EQ(p.ended, 1);
    EXPECT_EQ(p.first, total);
    ASSERT_EQ(p.calls.size(), total);
    for (std::size_t i = 0; i < total; ++i) {
      EXPECT_EQ(p.calls[i], std::make_pair(i + 1, total)) << "report " << i;
    }
  }
};

// Top Category (category0) holds A (1) with A1 (2) below it, and B (3); every one a link.
// Category files are written children first: A1, A, B, Top, then the search-format file.
TEST_F(OutputCancel, CgiOutputStopsAfterTheCurrentFileAndListsWhatWasWritten) {
  LINKINFO* a = AddCategory(Top(), "A");
  LINKINFO* a1 = AddCategory(a, "A1");
  LINKINFO* b = AddCategory(Top(), "B");
  for (LINKINFO* c : {Top(), a, a1, b})
    AddLink(c, "link of " + c->m_strTitle)->m_strURL = "http://x/";
  Save();

  StopAfter all(100);
  ASSERT_TRUE(RunCgiOutput(doc, &all));
  ExpectFullCount(all, 5);
  const auto full = Outputs();
  ASSERT_EQ(full.size(), 5u);
  RemoveOutputs();
  ui.results.clear();

  StopAfter stop(2);
  RunCgiOutput(doc, &stop);
  // Asked once to stop, the run reports no further file.
  EXPECT_EQ(stop.calls.size(), 2u);
  EXPECT_EQ(stop.ended, 1);
  const auto written = Outputs();
  // The two finished files are whole (the same bytes as the full run); nothing else exists:
  // no later category file, no search-format file, no temporary file.
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written.at("category2.cgi"), full.at("category2.cgi"));
  EXPECT_EQ(written.at("category1.cgi"), full.at("category1.cgi"));
  ASSERT_EQ(ui.results.size(), 1u);
  EXPECT_EQ(ui.results[0], dir.File("category2.cgi") + "\r\n" + dir.File("category1.cgi") + "\r\n");

  // Stopped after the last category file: the search-format file is still left alone.
  RemoveOutputs();
  StopAfter late(4);
  RunCgiOutput(doc, &late);
  EXPECT_EQ(Outputs().size(), 4u);
  EXPECT_FALSE(fs::exists(dir.File("search.cgi")));
}

// With two links a page: Top Category's five links fill three pages, sub-category S one; S is
// written first, then Top's pages in order.
TEST_F(OutputCancel, HtmlOutputStopsBetweenThePagesOfOneCategory) {
  WriteBytes(dir.File("t.html"),
             "<!-- Links Data -->$Catefile <!-- Link List Up -->[$Title]"
             "<!-- End Link List Up --><!-- End Links Data --><!-- Links Page -->\n");
  doc.GetFileInfo().m_strTemplate = dir.File("t.html");
  doc.GetFileInfo().m_nLinksPerPage = 2;
  LINKINFO* s = AddCategory(Top(), "S");
  AddLink(s, "s1");
  for (int i = 1; i <= 5; ++i) AddLink(Top(), "t" + std::to_string(i));
  Save();

  StopAfter all(100);
  ASSERT_TRUE(RunHtmlOutput(doc, &all));
  ExpectFullCount(all, 4);
  const auto full = Outputs();
  ASSERT_EQ(full.size(), 4u);
  RemoveOutputs();
  ui.results.clear();

  StopAfter stop(2);
  RunHtmlOutput(doc, &stop);
  EXPECT_EQ(stop.calls.size(), 2u);
  const auto written = Outputs();
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written.at("category1.html"), full.at("category1.html"));
  EXPECT_EQ(written.at("category0.html"), full.at("category0.html"));
  // What was done is listed, not the "nothing changed" message.
  ASSERT_EQ(ui.results.size(), 1u);
  EXPECT_EQ(ui.results[0],
            dir.File("category1.html") + "\r\n" + dir.File("category0.html") + "\r\n");
  EXPECT_TRUE(ui.messages.empty());

  // Plain pages (no template): one page a category, and a stop after the first one.
  doc.GetFileInfo().m_strTemplate.clear();
  RemoveOutputs();
  StopAfter plainAll(100);
  RunHtmlOutput(doc, &plainAll);
  ExpectFullCount(plainAll, 2);
  RemoveOutputs();
  StopAfter plainStop(1);
  RunHtmlOutput(doc, &plainStop);
  EXPECT_EQ(plainStop.calls.size(), 1u);
  const auto plain = Outputs();
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(plain.begin()->first, "category1.html");
}

}  // namespace
}  // namespace vesk::test
