// Publishes the bundled sample collection with vesk-cli and opens every generated page in headless
// Chromium: each page must load, decode as Shift_JIS and link only to pages that were written.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "cli/cli_runner.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

#ifdef _WIN32
// Chromium is driven through a POSIX shell; the tests skip on Windows before reaching it.
int Shell(const std::string&) { return -1; }
#define VESK_SKIP_WITHOUT_CHROMIUM() \
  GTEST_SKIP() << "needs the real Chromium, which these tests drive on Linux only"
#else
int Shell(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
bool HaveChromium() { return Shell("command -v chromium >/dev/null 2>&1") == 0; }
#define VESK_SKIP_WITHOUT_CHROMIUM() \
  if (!HaveChromium()) GTEST_SKIP() << "chromium is not installed"
#endif

// The page's DOM as Chromium builds it (UTF-8).
std::string DumpDom(const CTempFolder& dir, const std::string& page) {
  std::string cmd =
      "timeout 120 chromium --headless --no-sandbox --disable-gpu "
      "--disable-background-networking --no-first-run --user-data-dir=" +
      ShellQuote(dir.File("chromium-profile")) + " --dump-dom " +
      ShellQuote("file://" + dir.File(page)) + " >" + ShellQuote(dir.File("dom")) + " 2>/dev/null";
  EXPECT_EQ(Shell(cmd), 0) << page;
  return ReadBytes(dir.File("dom"));
}

// Copies the sample and the given template (as template.html) into dir and publishes it there.
std::string PublishSample(const CTempFolder& dir, const std::string& templateName) {
  std::string samples = std::string(VESK_SOURCE_DIR) + "/samples/";
  fs::copy_file(samples + "sample.knd", dir.File("sample.knd"));
  fs::copy_file(samples + templateName, dir.File("template.html"));
  CCliRunner cli;
  EXPECT_EQ(cli.RunIn(dir.Path(), {"config", "set", "Settings\\Data", "CoolData", "<B>cool!</B>"})
                .exitCode,
            0);
  CliResult r = cli.RunIn(dir.Path(), {"export-html", "sample.knd"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r.out;
}

// Opens every listed page and checks its links between pages; returns the pages checked.
std::set<std::string> CheckSite(const CTempFolder& dir, const std::string& list) {
  std::set<std::string> pages;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    if (entry.path().extension() == ".html" && entry.path().filename() != "template.html") {
      pages.insert(entry.path().filename().string());
    }
  }
  static const std::regex href("href=\"([^\"]*)\"");
  for (const std::string& page : pages) {
    EXPECT_NE(list.find(dir.File(page) + "\n"), std::string::npos) << page << " not listed";
    std::string dom = DumpDom(dir, page);
    EXPECT_NE(dom.find("</html>"), std::string::npos) << page;
    // Shift_JIS decoded: the template's own Japanese text reads right.
    EXPECT_NE(dom.find("サンプルリンク集"), std::string::npos) << page;
    for (std::sregex_iterator it(dom.begin(), dom.end(), href), end; it != end; ++it) {
      std::string target = (*it)[1];
      if (target.empty() || target[0] == '#' || target.find(':') != std::string::npos) continue;
      EXPECT_TRUE(fs::exists(dir.File(target))) << page << " links to missing " << target;
    }
  }
  return pages;
}

TEST(SampleSiteInBrowser, EveryPageLoadsAndEveryLinkBetweenPagesResolves) {
  VESK_SKIP_WITHOUT_CHROMIUM();
  CTempFolder dir;
  std::string list = PublishSample(dir, "template.html");
  std::set<std::string> pages = CheckSite(dir, list);
  // Eight published categories; the one with twelve links at five per page has three pages.
  EXPECT_EQ(pages.size(), 10u);
  EXPECT_TRUE(pages.count("category5_3.html"));
  std::string hobby = DumpDom(dir, "category5.html");
  EXPECT_NE(hobby.find("<b>cool!</b> <a href=\"http://hobby1.example.jp/\">"), std::string::npos);
  EXPECT_NE(hobby.find("<a href=\"category5_2.html\">2</a>"), std::string::npos);
}

TEST(SampleSiteInBrowser, MultiCategoryTemplateGivesOnePage) {
  VESK_SKIP_WITHOUT_CHROMIUM();
  CTempFolder dir;
  std::string list = PublishSample(dir, "template-multi.html");
  EXPECT_EQ(list, dir.File("category0.html") + "\n");
  std::set<std::string> pages = CheckSite(dir, list);
  EXPECT_EQ(pages.size(), 1u);
  std::string dom = DumpDom(dir, "category0.html");
  EXPECT_NE(dom.find("<a name=\"c"), std::string::npos);
}

}  // namespace
}  // namespace vesk::test
