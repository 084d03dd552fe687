#include "ui/logic/link_launch.h"

#include "document/link_info.h"
#include "document/user_interface.h"
#include "platform/desktop_launcher.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {

void OpenLinkInBrowser(const LINKINFO* link, platform::IDesktopLauncher& launcher) {
  if (!link || link->m_strURL.empty()) return;
  launcher.Open(ToUtf8(link->m_strURL));
}

void MailToAdmin(const LINKINFO* link, platform::IDesktopLauncher& launcher, IUserInterface& ui) {
  if (!link || link->m_strEmail.empty()) return;
  if (!launcher.Open("mailto:" + ToUtf8(link->m_strEmail))) {
    ui.MessageBox(ResString(kIdsNoMailProgram), MbButtons::Ok, MbIcon::Exclamation);
  }
}

}  // namespace vesk
