// The link check against a real HTTP server on 127.0.0.1, started by the test.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/link_check/link_checker.h"
#include "support/environment.h"
#include "support/loopback_http_server.h"

namespace vesk::test {
namespace {

using Server = CLoopbackHttpServer;

Server::Response Answer(const Server::Request& r) {
  Server::Response res;
  if (r.path == "/ok") {
    res.body = "hello";
  } else if (r.path == "/moved") {
    res.status = 301;
    res.headers = {{"Location", "/ok"}};
  } else if (r.path == "/missing") {
    res.status = 404;
  } else if (r.path == "/broken") {
    res.status = 500;
  } else if (r.path == "/nohead") {
    // Refuses HEAD; a GET gets a body far larger than the one byte the check needs.
    res.status = r.method == "HEAD" ? 405 : 200;
    res.body = std::string(1 << 20, 'x');
  } else if (r.path == "/slow") {
    res.delayMs = 3000;
  } else if (r.path == "/loop") {
    res.status = 302;
    res.headers = {{"Location", "/loop"}};
  } else if (r.path == "/silent") {
    res.delayMs = 30000;  // a host that takes the request and never answers
  } else if (r.path == "/hold") {
    res.delayMs = 100;
  } else {
    res.status = 404;
  }
  return res;
}

class LinkCheckerTest : public ::testing::Test {
 protected:
  // Loopback only, whatever the proxy.
  void SetUp() override { SetEnvironment("NO_PROXY", "*"); }
  Server server{Answer};
};

TEST_F(LinkCheckerTest, ReportsEveryKindOfAnswer) {
  const std::string refused = "http://127.0.0.1:" + std::to_string(Server::UnusedPort()) + "/gone";
  const std::string ftp = "ftp://127.0.0.1:" + std::to_string(server.Port()) + "/ftp";
  std::vector<LinkCheckRequest> requests = {
      {10, server.Url("/ok")},
      {11, server.Url("/moved")},
      {12, server.Url("/missing")},
      {13, server.Url("/broken")},
      {14, server.Url("/nohead")},
      {15, server.Url("/slow")},
      {16, refused},
      {17, server.Url("/loop")},
      {18, "mailto:owner@example.com"},
      {19, ftp},
      {20, "file:///etc/passwd"},
      {21, ""},
      {22, "  " + server.Url("/ok") + " "},
      {23, "HTTP://127.0.0.1:" + std::to_string(server.Port()) + "/ok"},
  };
  LinkCheckOptions options;
  options.timeoutSeconds = 1;
  std::size_t lastDone = 0, calls = 0;
  CLinkChecker checker(options);
  auto out = checker.Run(requests, [&](std::size_t done, std::size_t total) {
    EXPECT_EQ(total, requests.size());
    EXPECT_EQ(done, lastDone + 1);
    lastDone = done;
    ++calls;
  });
  ASSERT_EQ(out.size(), requests.size());
  EXPECT_EQ(calls, requests.size());

  struct Want {
    LinkCheckResult result;
    long code;
    std::string finalUrl;
  };
  const Want want[] = {
      {LinkCheckResult::Ok, 200, server.Url("/ok")},
      {LinkCheckResult::Moved, 200, server.Url("/ok")},
      {LinkCheckResult::Dead, 404, server.Url("/missing")},
      {LinkCheckResult::Dead, 500, server.Url("/broken")},
      {LinkCheckResult::Ok, 200, server.Url("/nohead")},
      {LinkCheckResult::Timeout, 0, server.Url("/slow")},
      {LinkCheckResult::Dead, 0, refused},
      {LinkCheckResult::Error, 302, server.Url("/loop")},
      {LinkCheckResult::Unchecked, 0, ""},
      {LinkCheckResult::Unchecked, 0, ""},
      {LinkCheckResult::Unchecked, 0, ""},
      {LinkCheckResult::Unchecked, 0, ""},
      {LinkCheckResult::Ok, 200, server.Url("/ok")},
      {LinkCheckResult::Ok, 200, requests[13].url},
  };
  for (std::size_t i = 0; i < out.size(); ++i) {
    SCOPED_TRACE(requests[i].url);
    EXPECT_EQ(out[i].serial, requests[i].serial);
    EXPECT_EQ(out[i].result, want[i].result) << LinkCheckResultName(out[i].result);
    EXPECT_EQ(out[i].httpCode, want[i].code);
    EXPECT_EQ(out[i].finalUrl, want[i].finalUrl);
  }
  EXPECT_GE(out[5].milliseconds, 900);  // the slow path was given its second, no more
  EXPECT_LT(out[5].milliseconds, 2500);
  EXPECT_EQ(out[8].milliseconds, 0);

  // HEAD first; GET of one byte only where HEAD was refused or answered with an error.
  int nohead = 0;
  for (const auto& r : server.Seen()) {
    EXPECT_EQ(r.headers.at("user-agent").rfind("Vesk/", 0), 0u);
    EXPECT_NE(r.path, "/ftp");  // non-http links are never fetched
    if (r.path == "/ok" || r.path == "/moved" || r.path == "/loop") {
      EXPECT_EQ(r.method, "HEAD");
    }
    if (r.path == "/nohead" && r.method == "GET") {
      ++nohead;
      EXPECT_EQ(r.headers.count("range") ? r.headers.at("range") : "", "bytes=0-0");
    }
  }
  EXPECT_EQ(nohead, 1);
  EXPECT_EQ(server.Count("/missing"), 2);  // HEAD, then the GET retry
  EXPECT_EQ(server.Count("/loop"), 11);    // the link and ten redirects, then it gives up
}

TEST_F(LinkCheckerTest, HoldsThePerHostAndTotalLimits) {
  std::vector<LinkCheckRequest> requests;
  for (std::uint32_t i = 0; i < 12; ++i) requests.push_back({i, server.Url("/hold")});
  auto out = CLinkChecker(LinkCheckOptions{}).Run(requests);
  for (const auto& o : out) EXPECT_EQ(o.result, LinkCheckResult::Ok);
  EXPECT_EQ(server.MaxConcurrent(), 2);  // 16 allowed in all, but only 2 to one host

  Server other{Answer};
  LinkCheckOptions one;
  one.jobs = 1;
  std::vector<LinkCheckRequest> mixed;
  for (std::uint32_t i = 0; i < 6; ++i) mixed.push_back({i, other.Url("/hold")});
  for (const auto& o : CLinkChecker(one).Run(mixed)) EXPECT_EQ(o.result, LinkCheckResult::Ok);
  EXPECT_EQ(other.MaxConcurrent(), 1);
}

// A host that stops answering costs a few timeouts, not one per link: after the limit its other
// links are reported as timeouts without being asked, while other hosts are checked as usual.
TEST_F(LinkCheckerTest, ASilentHostIsGivenUpAfterAFewTimeouts) {
  Server other{Answer, "127.0.0.2"};
  std::vector<LinkCheckRequest> requests;
  for (std::uint32_t i = 0; i < 40; ++i) requests.push_back({i, server.Url("/silent")});
  requests.push_back({40, other.Url("/ok")});
  LinkCheckOptions options;
  options.timeoutSeconds = 1;
  options.hostTimeouts = 3;
  const auto out = CLinkChecker(options).Run(requests);
  for (std::uint32_t i = 0; i < 40; ++i) {
    EXPECT_EQ(out[i].result, LinkCheckResult::Timeout) << i;
    EXPECT_EQ(out[i].finalUrl, server.Url("/silent")) << i;
  }
  EXPECT_EQ(out[40].result, LinkCheckResult::Ok);
  // The third timeout comes from the second pair at the latest (two at once to one host).
  EXPECT_LE(server.Count("/silent"), 4);
  EXPECT_GE(server.Count("/silent"), 3);
}

TEST_F(LinkCheckerTest, CancelLeavesTheRestUnchecked) {
  std::vector<LinkCheckRequest> requests;
  for (std::uint32_t i = 0; i < 20; ++i) requests.push_back({i, server.Url("/hold")});
  std::atomic<bool> cancel{false};
  auto out = CLinkChecker(LinkCheckOptions{})
                 .Run(
                     requests, [&](std::size_t done, std::size_t) { cancel = done >= 2; }, &cancel);
  int checked = 0;
  for (const auto& o : out) checked += o.result == LinkCheckResult::Ok;
  EXPECT_GE(checked, 2);
  EXPECT_LT(checked, 20);
  for (const auto& o : out)
    EXPECT_TRUE(o.result == LinkCheckResult::Ok || o.result == LinkCheckResult::Unchecked);
}

}  // namespace
}  // namespace vesk::test
