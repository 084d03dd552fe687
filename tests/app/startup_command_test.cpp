#include "app/startup_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vesk {
namespace {

TEST(StartCommandTest, UninstallOnlyWhenAloneOnTheLine) {
  EXPECT_EQ(ParseStartCommand({"/uninstall"}, "/w").kind, StartKind::Uninstall);
  EXPECT_EQ(ParseStartCommand({"--uninstall"}, "/w").kind, StartKind::Uninstall);
  // Letter case counts, and with anything beside it the line names a document.
  auto upper = ParseStartCommand({"/UNINSTALL"}, "/w");
  EXPECT_EQ(upper.kind, StartKind::Normal);
  EXPECT_EQ(upper.documentPath, "/UNINSTALL");
  auto extra = ParseStartCommand({"/uninstall", "x"}, "/w");
  EXPECT_EQ(extra.kind, StartKind::Normal);
  EXPECT_EQ(extra.documentPath, "/uninstall x");
}

TEST(StartCommandTest, QuietUninstallOnlyWithExactlyS) {
  EXPECT_FALSE(ParseStartCommand({"/uninstall"}, "/w").quiet);
  auto quiet = ParseStartCommand({"/uninstall", "/S"}, "/w");
  EXPECT_EQ(quiet.kind, StartKind::Uninstall);
  EXPECT_TRUE(quiet.quiet);
  EXPECT_TRUE(ParseStartCommand({"--uninstall", "/S"}, "/w").quiet);
  // Anything else beside it still names a document, never a run without the question.
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"/uninstall", "/s"}, {"/uninstall", "/S", "x"}, {"/S", "/uninstall"}, {"/S"}}) {
    auto other = ParseStartCommand(args, "/w");
    EXPECT_EQ(other.kind, StartKind::Normal) << args.size();
    EXPECT_FALSE(other.quiet);
  }
}

TEST(StartCommandTest, DocumentPathIsMadeAbsoluteAndUnquoted) {
  EXPECT_EQ(ParseStartCommand({}, "/w").documentPath, "");
  EXPECT_EQ(ParseStartCommand({"\"\""}, "/w").documentPath, "");
  EXPECT_EQ(ParseStartCommand({"a.knd"}, "/home/u").documentPath, "/home/u/a.knd");
  EXPECT_EQ(ParseStartCommand({"../x/./a.knd"}, "/home/u").documentPath, "/home/x/a.knd");
  EXPECT_EQ(ParseStartCommand({"\"my", "doc.knd\""}, "/d").documentPath, "/d/my doc.knd");
  // File-system bytes are kept as they are, whatever their encoding.
  EXPECT_EQ(ParseStartCommand({"/t/\x93\xfa.knd"}, "/w").documentPath, "/t/\x93\xfa.knd");
  EXPECT_EQ(ParseStartCommand({"/a//b/../../../c.knd"}, "/w").documentPath, "/c.knd");
#ifdef _WIN32
  // A path as Explorer hands it over: backslashes, a drive, any letter case.
  EXPECT_EQ(ParseStartCommand({"C:\\Docs\\リンク集.knd"}, "D:/w").documentPath,
            "C:/Docs/リンク集.knd");
  EXPECT_EQ(ParseStartCommand({"..\\b\\.\\a.knd"}, "c:/w/x").documentPath, "c:/w/b/a.knd");
  EXPECT_EQ(ParseStartCommand({"a.knd"}, "C:/").documentPath, "C:/a.knd");
  EXPECT_EQ(ParseStartCommand({"C:/../a.knd"}, "D:/w").documentPath, "C:/a.knd");
#endif
}

TEST(StartCommandTest, TheToolkitGetsOnlyWhatItCanConvert) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ToolkitArguments({"/opt/ドキュメント/vesk", "--display=:1", "/d/日.knd"}),
            (V{"/opt/ドキュメント/vesk", "--display=:1", "/d/日.knd"}));
  // A folder or document name in another encoding, a cut character, an overlong slash.
  EXPECT_EQ(ToolkitArguments({"/o/b\xff/vesk", "/t/\x93\xfa.knd", "--sync", "/x/\xe6\x97"}),
            (V{"vesk", "--sync"}));
  EXPECT_EQ(ToolkitArguments({"/o/\xc0\xaf/vesk"}), (V{"vesk"}));
  EXPECT_EQ(ToolkitArguments({}), (V{"vesk"}));
}

TEST(HandOverTest, RoundTripAndMalformedMessages) {
  for (std::string path : {"", "/a/b c.knd", "/t/\xE6\x97\xA5\n.knd"}) {
    auto back = DecodeHandOver(EncodeHandOver(path));
    ASSERT_TRUE(back.has_value()) << path;
    EXPECT_EQ(*back, path);
  }
  EXPECT_EQ(EncodeHandOver("/x"), std::string("vesk-open 1\n/x") + '\0');
  const std::string good = EncodeHandOver("/x");
  EXPECT_FALSE(DecodeHandOver(good.substr(0, good.size() - 1)));  // no terminating NUL
  EXPECT_FALSE(DecodeHandOver("vesk-open 2\n/x" + std::string(1, '\0')));
  EXPECT_FALSE(DecodeHandOver(std::string("vesk-open 1\n/x\0/y", 17) + '\0'));
  EXPECT_FALSE(DecodeHandOver(EncodeHandOver("relative.knd")));
#ifdef _WIN32
  EXPECT_EQ(DecodeHandOver(EncodeHandOver("C:/d/a.knd")), "C:/d/a.knd");
  EXPECT_FALSE(DecodeHandOver(EncodeHandOver("C:a.knd")));  // that drive's current folder
#endif
  EXPECT_FALSE(DecodeHandOver(""));
}

}  // namespace
}  // namespace vesk
