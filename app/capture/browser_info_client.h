// Asking a running browser for its page over DDE ("WWW_GetWindowInfo"), where the system has it.
#pragma once

#include <optional>
#include <string>

#include "app/capture/browser_page.h"
#include "platform/dde_client.h"

namespace vesk {

class IUserInterface;

// One DDE client conversation with a browser. Initializes at once and tells the user when it
// cannot.
class CBrowserInfoClient {
 public:
  explicit CBrowserInfoClient(IUserInterface& ui);
  // The reply of service to "WWW_GetWindowInfo" for the last active window (Shift_JIS, at most
  // 259 bytes, up to its first NUL); "" on any failure.
  std::string Request(const std::string& service);

 private:
  platform::CDdeClient m_client;
};

// The page that "IEXPLORE", else "NETSCAPE", reports (URL and title as UTF-8); nullopt when
// neither answers with text, and always on a system without DDE.
std::optional<BrowserPage> AskBrowsersByDde(IUserInterface& ui);

}  // namespace vesk
