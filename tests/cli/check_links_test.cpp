// vesk-cli check-links against a loopback server started by the test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_runner.h"
#include "support/environment.h"
#include "support/loopback_http_server.h"

namespace vesk::test {
namespace {

using nlohmann::json;

class CheckLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironment("NO_PROXY", "*");  // loopback only, whatever the proxy
    ASSERT_EQ(cli.Run({"new", File("c.knd")}).exitCode, 0);
    json d = json::parse(cli.Run({"dump", File("c.knd")}).out);
    auto node = [](int serial, int kind, int parent, const std::string& title,
                   const std::string& url) {
      return json{{"serial", serial},
                  {"kind", kind},
                  {"parentSerial", parent},
                  {"title", title},
                  {"url", url}};
    };
    d["nodes"].push_back(node(3, 2, 0, "トップの頁", server.Url("/ok")));
    d["nodes"].push_back(node(4, 0, 0, "Sub", ""));
    d["nodes"].push_back(node(5, 2, 4, "Gone", server.Url("/missing")));
    d["nodes"].push_back(node(6, 2, 4, "Mail", "mailto:owner@example.com"));
    d["nodes"].push_back(node(7, 2, 1, "In the work box", server.Url("/ok")));
    d["nodes"].push_back(node(8, 2, 0, "After the sub", server.Url("/moved")));
    d["nextSerial"] = 9;
    WriteBytes(File("in.json"), d.dump());
    // load replaces the document new made: that takes --yes.
    ASSERT_EQ(cli.Run({"--yes", "load", File("in.json"), File("c.knd")}).exitCode, 0);
  }
  std::string File(const std::string& name) const { return files.File(name); }

  // The lines of the output with the milliseconds column blanked.
  static std::vector<std::string> Lines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
      std::vector<std::string> f;
      std::size_t start = 0;
      for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        f.push_back(line.substr(start, tab - start));
      f.push_back(line.substr(start));
      if (f.size() == 6) {
        EXPECT_EQ(f[4].find_first_not_of("0123456789"), std::string::npos) << line;
        f[4] = "MS";
      }
      std::string joined;
      for (std::size_t i = 0; i < f.size(); ++i) joined += (i ? "\t" : "") + f[i];
      lines.push_back(joined);
    }
    return lines;
  }

  static CLoopbackHttpServer::Response Answer(const CLoopbackHttpServer::Request& r) {
    CLoopbackHttpServer::Response res;
    if (r.path == "/moved") {
      res.status = 301;
      res.headers = {{"Location", "/ok"}};
    } else if (r.path != "/ok") {
      res.status = 404;
    }
    return res;
  }

  CLoopbackHttpServer server{Answer};
  CCliRunner cli;
  CTempFolder files;
};

TEST_F(CheckLinksTest, PrintsOneLineALinkOfTheCategoryAndItsSubcategories) {
  const std::string before = ReadBytes(File("c.knd"));
  CliResult r = cli.Run({"check-links", File("c.knd")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                              "3\tok\t200\t" + server.Url("/ok") + "\tMS\tトップの頁",
                              "8\tmoved\t200\t" + server.Url("/ok") + "\tMS\tAfter the sub",
                              "5\tdead\t404\t" + server.Url("/missing") + "\tMS\tGone",
                              "6\tunchecked\t0\t\tMS\tMail",
                          }));
  EXPECT_NE(r.err.find("4 links: 1 ok, 1 moved, 1 dead, 0 timeout, 0 error, 1 unchecked"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(File("c.knd")), before);  // the check never changes the document

  r = cli.Run({"check-links", File("c.knd"), "--category", "4", "--jobs", "1", "--timeout", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                              "5\tdead\t404\t" + server.Url("/missing") + "\tMS\tGone",
                              "6\tunchecked\t0\t\tMS\tMail",
                          }));
}

TEST_F(CheckLinksTest, ExitsWithOneWhenTheCheckCannotRun) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"check-links", File("absent.knd")},
           {"check-links", File("c.knd"), "--category", "3"},  // a link, not a category
           {"check-links", File("c.knd"), "--category", "99"},
           {"check-links", File("c.knd"), "--jobs", "0"},
           {"check-links", File("c.knd"), "--timeout", "soon"},
           {"check-links", File("c.knd"), "--timeout", "0"},
           {"check-links", File("c.knd"), "--jobs", "abc"},
           {"check-links", File("c.knd"), "--jobs", "2x"},
           {"check-links", File("c.knd"), "--category", "top"},
       }) {
    CliResult r = cli.Run(args);
    EXPECT_EQ(r.exitCode, 1) << args.back();
    EXPECT_EQ(r.out, "") << args.back();
  }
  EXPECT_EQ(server.Seen().size(), 0u);
}

}  // namespace
}  // namespace vesk::test
