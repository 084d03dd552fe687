// The window messenger over Xlib: the EWMH client list (or, without a window manager, the
// root's children), titles from _NET_WM_NAME or WM_NAME, and the hand-over as a property.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

#include "platform/window_messenger.h"

namespace vesk::platform {
namespace {

// Xlib's default error handler ends the program; a window that vanishes between listing and
// use must only fail the one call. Set for the lifetime of one operation on our own connection.
class CTrapErrors {
 public:
  CTrapErrors() : m_previous(XSetErrorHandler(&CTrapErrors::Handler)) { s_failed = false; }
  ~CTrapErrors() { XSetErrorHandler(m_previous); }
  CTrapErrors(const CTrapErrors&) = delete;
  CTrapErrors& operator=(const CTrapErrors&) = delete;
  static bool Failed() { return s_failed; }

 private:
  static int Handler(Display*, XErrorEvent*) {
    s_failed = true;
    return 0;
  }
  static inline bool s_failed = false;
  XErrorHandler m_previous;
};

// A connection of our own, so nothing here disturbs the toolkit's.
class CDisplay {
 public:
  CDisplay() {
    const char* name = std::getenv("DISPLAY");
    if (name != nullptr && *name != '\0') m_display = XOpenDisplay(name);
  }
  ~CDisplay() {
    if (m_display) XCloseDisplay(m_display);
  }
  CDisplay(const CDisplay&) = delete;
  CDisplay& operator=(const CDisplay&) = delete;
  Display* Get() const { return m_display; }

 private:
  Display* m_display = nullptr;
};

// The bytes of a property of type anything, or false when the window has none.
bool ReadProperty(Display* d, Window w, Atom property, std::string& value) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, w, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                         &after, &data) != Success) {
    return false;
  }
  bool found = type != None && format == 8 && data != nullptr;
  if (found) value.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return found;
}

std::string WindowTitle(Display* d, Window w, Atom netWmName) {
  std::string title;
  if (ReadProperty(d, w, netWmName, title)) return title;
  if (ReadProperty(d, w, XA_WM_NAME, title)) return title;
  return {};
}

// The managed top-level windows, oldest first; the root's children when no window manager
// keeps the list.
std::vector<Window> TopLevelWindows(Display* d) {
  std::vector<Window> result;
  const Window root = DefaultRootWindow(d);
  Atom clientList = XInternAtom(d, "_NET_CLIENT_LIST", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, root, clientList, 0, 65536, False, XA_WINDOW, &type, &format, &count,
                         &after, &data) == Success &&
      type == XA_WINDOW && format == 32 && data != nullptr) {
    // Format 32 comes as longs whatever the width of the server's values.
    const unsigned long* windows = reinterpret_cast<const unsigned long*>(data);
    result.assign(windows, windows + count);
    XFree(data);
    return result;
  }
  if (data) XFree(data);
  Window rootReturn = 0, parent = 0;
  Window* children = nullptr;
  unsigned int n = 0;
  if (XQueryTree(d, root, &rootReturn, &parent, &children, &n) && children != nullptr) {
    result.assign(children, children + n);
    XFree(children);
  }
  return result;
}

class CX11WindowMessenger : public IWindowMessenger {
 public:
  bool Available() override {
    CDisplay display;
    return display.Get() != nullptr;
  }

  std::vector<WindowHandle> FindWindows(const std::string& title) override {
    std::vector<WindowHandle> found;
    CDisplay display;
    Display* d = display.Get();
    if (!d) return found;
    CTrapErrors trap;
    const Atom netWmName = XInternAtom(d, "_NET_WM_NAME", False);
    for (Window w : TopLevelWindows(d)) {
      if (WindowTitle(d, w, netWmName) == title) found.push_back(w);
    }
    XSync(d, False);
    return found;
  }

  bool SendData(WindowHandle window, const std::string& data) override {
    CDisplay display;
    Display* d = display.Get();
    if (!d) return false;
    CTrapErrors trap;
    const Atom property = XInternAtom(d, kCopyDataProperty, False);
    XChangeProperty(d, static_cast<Window>(window), property, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
    XFlush(d);
    // The reply to the round trip arrives after the server has handled the change, so any
    // error of the change (the window gone) is known here.
    XSync(d, False);
    return !CTrapErrors::Failed();
  }
};

}  // namespace

std::unique_ptr<IWindowMessenger> MakeWindowMessenger() {
  return std::make_unique<CX11WindowMessenger>();
}

}  // namespace vesk::platform
