// The DDE client against a stand-in browser in another process.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "platform/dde_client.h"
#include "support/dde_browser_server.h"

namespace vesk::platform {
namespace {

const char kTopic[] = "WWW_GetWindowInfo";
const char kItem[] = "0xFFFFFFFF";

TEST(DdeClient, RequestsTheItemOfAServiceAndKeepsAtMostTheBytesAsked) {
  if (test::DdeNeedsADisplayHere()) GTEST_SKIP() << "Wine without a display";
  const std::string reply = "\"http://127.0.0.1/a\",\"title\"";
  test::CDdeBrowserServer server("NETSCAPE", reply);
  ASSERT_TRUE(server.Ready());
  CDdeClient client;
  ASSERT_TRUE(client.Initialized());
  // The server sends the text with its NUL.
  EXPECT_EQ(client.Request("NETSCAPE", kTopic, kItem, 10000, 259), reply + '\0');
  // A short buffer takes the first bytes. A client of its own: Wine's DDE server acknowledges a
  // request it has answered with data as well, and a client reads that stray acknowledgement as
  // the refusal of its conversation's next request (the program asks once per client).
  CDdeClient shortBuffer;
  EXPECT_EQ(shortBuffer.Request("NETSCAPE", kTopic, kItem, 10000, 5), "\"http");
}

TEST(DdeClient, AServiceNobodyOffersEndsTheInstance) {
  if (test::DdeNeedsADisplayHere()) GTEST_SKIP() << "Wine without a display";
  test::CDdeBrowserServer server("NETSCAPE", "x");
  ASSERT_TRUE(server.Ready());
  CDdeClient client;
  ASSERT_TRUE(client.Initialized());
  EXPECT_EQ(client.Request("IEXPLORE", kTopic, kItem, 10000, 259), "");
  EXPECT_FALSE(client.Initialized());
  // Once ended it asks nobody, not even a service that would answer.
  EXPECT_EQ(client.Request("NETSCAPE", kTopic, kItem, 10000, 259), "");
}

TEST(DdeClient, AnItemTheServerRefusesGivesNothing) {
  if (test::DdeNeedsADisplayHere()) GTEST_SKIP() << "Wine without a display";
  test::CDdeBrowserServer server("NETSCAPE", "x");
  ASSERT_TRUE(server.Ready());
  CDdeClient client;
  EXPECT_EQ(client.Request("NETSCAPE", kTopic, "0x00000001", 10000, 259), "");
  CDdeClient other;
  EXPECT_EQ(other.Request("NETSCAPE", "WWW_Activate", kItem, 10000, 259), "");
}

}  // namespace
}  // namespace vesk::platform

#endif
