// Finds the top-level windows of other programs by their title and hands them a block of bytes:
// on X11 a window property that the receiver reads on PropertyNotify (a system with WM_COPYDATA
// would send that message instead, behind the same interface).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vesk::platform {

// A top-level window of another program, as the window system names it.
using WindowHandle = std::uint64_t;

// The name of the X11 window property that carries a hand-over (type STRING, format 8).
inline constexpr const char* kCopyDataProperty = "VESK_COPYDATA";

class IWindowMessenger {
 public:
  virtual ~IWindowMessenger() = default;
  // False when there is no window system to reach (no X11 display: DISPLAY unset, or a Wayland
  // session without XWayland).
  virtual bool Available() = 0;
  // Every top-level window whose title is exactly title (bytes compared, case included), in
  // the order the window system lists them.
  virtual std::vector<WindowHandle> FindWindows(const std::string& title) = 0;
  // Hands data over to the window, whole, and waits until the window system has taken it.
  // False when the window is gone or the window system refused it.
  virtual bool SendData(WindowHandle window, const std::string& data) = 0;
};

// The messenger of this system's display (Xlib on X11). Only the desktop program links it.
std::unique_ptr<IWindowMessenger> MakeWindowMessenger();

}  // namespace vesk::platform
