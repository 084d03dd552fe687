// Open in browser and mail to the web administrator: a link handed to the desktop's handlers.
#pragma once

namespace vesk {

namespace platform {
class IDesktopLauncher;
}
class IUserInterface;
struct LINKINFO;

// The link's URL to the default browser; a failure is not reported. Nothing for no link or an
// empty URL.
void OpenLinkInBrowser(const LINKINFO* link, platform::IDesktopLauncher& launcher);
// "mailto:" and the link's e-mail address to the default mail program; message 10067 when none
// takes it. Nothing for no link or an empty address.
void MailToAdmin(const LINKINFO* link, platform::IDesktopLauncher& launcher, IUserInterface& ui);

}  // namespace vesk
