// vesk-cli find: hits in visiting order, scope, stored mode, nothing found, history untouched.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "document/veskdoc.h"
#include "settings/memory_settings_backend.h"
#include "settings/settings_file_backend.h"
#include "settings/vesk_settings.h"
#include "support/doc_fixture.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

class CliFindTest : public DocFixture {
 protected:
  CliFindTest() {
    Add(doc.GetTopCategory(), NodeKind::Category, "Sub");               // serial 3
    Add(doc.GetWorkBox(), NodeKind::NewLink, "alpha in the work box");  // 4
    Add(doc.GetTopCategory(), NodeKind::NewLink, "alpha at the top");   // 5
    Add(doc.GetTopCategory(), NodeKind::NewLink, "beta");               // 6
    LINKINFO* sub = doc.FindBySerial(3);
    Add(sub, NodeKind::NewLink, ToCp932("アルファ alpha below"));              // 7
    Add(sub, NodeKind::NewLink, "gamma")->m_strURL = "http://alpha.example/";  // 8
    path = dir.File("links.knd");
    EXPECT_TRUE(doc.OnSaveDocument(path));
  }
  std::string path;
  CCliRunner cli;
};

TEST_F(CliFindTest, PrintsEveryHitOnceInListOrder) {
  CliResult r = cli.Run({"find", path, "alpha"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "4\n5\n7\n");
  EXPECT_EQ(cli.Run({"find", path, "alpha", "--mode", "2048"}).out, "8\n");
  EXPECT_EQ(cli.Run({"find", path, "アルファ"}).out, "7\n");
}

TEST_F(CliFindTest, CurrentCategoryScopeTakesTheCategoryOfTheSerial) {
  EXPECT_EQ(cli.Run({"find", path, "alpha", "--mode", "768", "--current", "3"}).out, "7\n");
  EXPECT_EQ(cli.Run({"find", path, "alpha", "--mode", "768", "--current", "8"}).out, "7\n");
  EXPECT_EQ(cli.Run({"find", path, "alpha", "--mode", "768"}).out, "5\n");
  EXPECT_EQ(cli.Run({"find", path, "alpha", "--current", "99"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"find", path, "alpha", "--current", "three"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"find", path, "alpha", "--mode", "768x"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"find", path, "alpha", "--mode"}).exitCode, 2);
}

TEST_F(CliFindTest, UsesTheStoredModeAndLeavesTheHistoryAlone) {
  const auto store = cli.Settings();
  CVeskSettings stored(*store);
  stored.SetSearchMode(0x800);
  stored.SetSearchWords("old");
  EXPECT_EQ(cli.Run({"find", path, "alpha"}).out, "8\n");
  EXPECT_EQ(stored.GetSearchWords(), "old");
  EXPECT_EQ(stored.GetSearchMode(), 0x800);
}

TEST_F(CliFindTest, NothingFoundIsReportedWithTheMessage) {
  CliResult r = cli.Run({"find", path, "Alpha"});  // letter case matters
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "検索結果:見つかりませんでした。\n");
  EXPECT_EQ(cli.Run({"find", path, ""}).exitCode, 2);
  EXPECT_EQ(cli.Run({"find", path, std::string(257, 'a')}).exitCode, 1);
  EXPECT_EQ(cli.Run({"find", dir.File("missing.knd"), "alpha"}).exitCode, 1);
}

}  // namespace
}  // namespace vesk::test
