#include "app/capture/browser_info_client.h"

#include "app/capture/dde_reply.h"
#include "document/user_interface.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {

namespace {

constexpr unsigned kRequestTimeoutMs = 10000;
// The reply buffer is 260 bytes with room for a NUL.
constexpr std::size_t kReplyBytes = 259;

}  // namespace

CBrowserInfoClient::CBrowserInfoClient(IUserInterface& ui) {
  if (platform::DdeSupported() && !m_client.Initialized())
    ui.CaptionedMessageBox(ResString(kIdsDdeInitFailed), ResString(kIdsBrowserInfoCaption),
                           MbButtons::Ok, MbIcon::Exclamation);
}

std::string CBrowserInfoClient::Request(const std::string& service) {
  return TruncateDdeReply(
      m_client.Request(service, "WWW_GetWindowInfo", "0xFFFFFFFF", kRequestTimeoutMs, kReplyBytes));
}

std::optional<BrowserPage> AskBrowsersByDde(IUserInterface& ui) {
  if (!platform::DdeSupported()) return std::nullopt;
  // Both clients start before either asks, so a system whose DDE fails says so twice.
  CBrowserInfoClient explorer(ui);
  CBrowserInfoClient netscape(ui);
  std::string reply = explorer.Request("IEXPLORE");
  if (reply.empty()) reply = netscape.Request("NETSCAPE");
  if (reply.empty()) return std::nullopt;
  std::string url, title;
  SplitDdeReply(reply, url, title);
  // The reply is Shift_JIS; the page travels as UTF-8 and becomes Shift_JIS again in the link.
  return BrowserPage{ToUtf8(url), ToUtf8(title), "dde"};
}

}  // namespace vesk
