#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "publish/search_program.h"
#include "support/doc_fixture.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;
using platform::WindowHandle;

// A window system whose windows are scripted: on the `appearAfter`th poll after a start, the
// started program's window (handle 99) shows up.
class FakeWindows : public platform::IWindowMessenger {
 public:
  bool Available() override { return available; }
  std::vector<WindowHandle> FindWindows(const std::string& title) override {
    titles.push_back(title);
    ++searches;
    if (started && searches >= searchesAtStart + appearAfter) return {99};
    return shown;
  }
  bool SendData(WindowHandle window, const std::string& data) override {
    sent.emplace_back(window, data);
    return sendWorks;
  }

  bool available = true;
  bool sendWorks = true;
  std::vector<WindowHandle> shown;
  bool started = false;
  int searches = 0, searchesAtStart = 0;
  int appearAfter = 1000;  // never
  std::vector<std::string> titles;
  std::vector<std::pair<WindowHandle, std::string>> sent;
};

class FakeStarter : public platform::IProgramStarter {
 public:
  explicit FakeStarter(FakeWindows& w) : m_windows(w) {}
  bool Start(const std::string& path) override {
    paths.push_back(path);
    if (!works || path.empty()) return false;
    m_windows.started = true;
    m_windows.searchesAtStart = m_windows.searches;
    return true;
  }
  bool works = true;
  std::vector<std::string> paths;

 private:
  FakeWindows& m_windows;
};

class SearchProgramTest : public DocFixture {
 protected:
  CSearchProgram Program() {
    return CSearchProgram(windows, starter, [this](int ms) { sleeps.push_back(ms); });
  }
  FakeWindows windows;
  FakeStarter starter{windows};
  std::vector<int> sleeps;
};

TEST_F(SearchProgramTest, RunningProgramGetsThePathAtOnceTheLastMatchWins) {
  windows.shown = {5, 7};
  CSearchProgram program = Program();
  ASSERT_TRUE(program.FindSearchProgram("/opt/ds"));
  EXPECT_TRUE(starter.paths.empty());
  EXPECT_TRUE(sleeps.empty());
  ASSERT_EQ(windows.titles.size(), 1u);
  EXPECT_EQ(windows.titles[0], "Deepscout");
  ASSERT_TRUE(program.SendSearchFile("/home/u/site/knrdata.html"));
  ASSERT_EQ(windows.sent.size(), 1u);
  EXPECT_EQ(windows.sent[0].first, 7u);
  // The text and its terminating zero byte.
  EXPECT_EQ(windows.sent[0].second, "-file /home/u/site/knrdata.html" + std::string(1, '\0'));

  // A later search that finds nothing forgets the window found before.
  windows.shown.clear();
  starter.works = false;
  EXPECT_FALSE(program.FindSearchProgram("/opt/ds"));
  EXPECT_FALSE(program.SendSearchFile("/x"));
  EXPECT_EQ(windows.sent.size(), 1u);
}

TEST_F(SearchProgramTest, StartedProgramIsPolledEvery100MsUntilItsWindowShows) {
  windows.appearAfter = 3;
  CSearchProgram program = Program();
  ASSERT_TRUE(program.FindSearchProgram("/opt/deep scout/ds"));
  ASSERT_EQ(starter.paths.size(), 1u);
  EXPECT_EQ(starter.paths[0], "/opt/deep scout/ds");  // the path as it stands, one piece
  EXPECT_EQ(sleeps, (std::vector<int>{100, 100, 100, 10}));
  ASSERT_TRUE(program.SendSearchFile("/p"));
  EXPECT_EQ(windows.sent[0].first, 99u);

  // A program that never shows its window: 50 polls, then failure.
  FakeWindows quiet;
  FakeStarter quietStarter{quiet};
  std::vector<int> waited;
  CSearchProgram never(quiet, quietStarter, [&](int ms) { waited.push_back(ms); });
  EXPECT_FALSE(never.FindSearchProgram("/bin/true"));
  EXPECT_EQ(waited, std::vector<int>(50, 100));
  EXPECT_EQ(quiet.searches, 51);

  // Empty path or a failed start: no polling at all.
  sleeps.clear();
  CSearchProgram unset = Program();
  windows.started = false;
  EXPECT_FALSE(unset.FindSearchProgram(""));
  EXPECT_TRUE(sleeps.empty());
}

TEST_F(SearchProgramTest, CommandWritesThePageThenReportsWhatWentWrong) {
  AddLink(Top(), "one")->m_strURL = "http://one/";
  ASSERT_TRUE(doc.OnSaveDocument(dir.File("site.knd")));
  doc.SetPathName(dir.File("site.knd"));
  doc.SetModifiedFlag(false);
  settings.SetDeepscout(PathToSetting("/opt/ds/deepscout"));
  CSearchProgram program = Program();

  // No window system: said at once, nothing started, the page is written all the same.
  windows.available = false;
  EXPECT_FALSE(RunSearchProgram(doc, program, windows));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(),
            "X11 のディスプレイに接続できないため、Deepscoutにデータを渡せません。");
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);
  EXPECT_TRUE(starter.paths.empty());
  EXPECT_TRUE(sleeps.empty());
  EXPECT_TRUE(fs::exists(dir.File("knrdata.html")));

  // Started but never shown: message 10011.
  windows.available = true;
  EXPECT_FALSE(RunSearchProgram(doc, program, windows));
  ASSERT_EQ(starter.paths.size(), 1u);
  EXPECT_EQ(starter.paths[0], "/opt/ds/deepscout");
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].Utf8(), "Deepscoutを起動できませんでした。");

  // Found, but the window closed before the hand-over: not reported as done.
  windows.shown = {3};
  windows.sendWorks = false;
  EXPECT_FALSE(RunSearchProgram(doc, program, windows));
  EXPECT_EQ(ui.messages.size(), 3u);

  windows.sendWorks = true;
  EXPECT_TRUE(RunSearchProgram(doc, program, windows));
  EXPECT_EQ(ui.messages.size(), 3u);
  std::string page = dir.File("knrdata.html");
#ifdef _WIN32
  // Windows programs read the native form, in Shift_JIS.
  for (char& c : page) {
    if (c == '/') c = '\\';
  }
  page = ToCp932(page);
#endif
  EXPECT_EQ(windows.sent.back().second, "-file " + page + std::string(1, '\0'));
}

#ifdef _WIN32
TEST_F(SearchProgramTest, APagePathShiftJisCannotHoldIsNotHandedOver) {
  // The receiver would be told another file; nothing is started or sent, and the user is told.
  const std::string folder = dir.File("caf\xC3\xA9");
  ASSERT_TRUE(fs::create_directory(fs::u8path(folder)));
  AddLink(Top(), "one")->m_strURL = "http://one/";
  ASSERT_TRUE(doc.OnSaveDocument(folder + "/site.knd"));
  doc.SetPathName(folder + "/site.knd");
  doc.SetModifiedFlag(false);
  settings.SetDeepscout(PathToSetting("C:/ds/deepscout.exe"));
  windows.shown = {3};
  CSearchProgram program = Program();
  EXPECT_FALSE(RunSearchProgram(doc, program, windows));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].Utf8().find("Shift_JIS で表せない文字"), std::string::npos);
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);
  EXPECT_TRUE(windows.sent.empty());
  EXPECT_TRUE(starter.paths.empty());
}
#endif

}  // namespace
}  // namespace vesk::test
