// Hands a URL (a web page or a "mailto:" address) to the desktop's default handler.
#pragma once

#include <memory>
#include <string>

namespace vesk::platform {

// Opens targets with whatever program the desktop has chosen for them.
class IDesktopLauncher {
 public:
  virtual ~IDesktopLauncher() = default;
  // Hands target (UTF-8) over as one argument, never through a shell. False when no handler
  // took it (no program registered, or the handler refused it).
  virtual bool Open(const std::string& target) = 0;
};

// The launcher of this system: xdg-open on POSIX desktops.
std::unique_ptr<IDesktopLauncher> MakeDesktopLauncher();

}  // namespace vesk::platform
