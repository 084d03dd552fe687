// A stand-in search program for the desktop tests: shows a top-level window titled "Deepscout"
// (or the title given as its one argument) and prints every hand-over it receives through the
// VESK_COPYDATA property, one line each. Prints to the file named by SEARCH_RECEIVER_LOG when
// that is set (the desktop program starts it without arguments), else to standard output.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  const char* title = argc > 1 ? argv[1] : "Deepscout";
  FILE* out = stdout;
  if (const char* log = std::getenv("SEARCH_RECEIVER_LOG")) {
    out = std::fopen(log, "a");
    if (!out) return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "search_receiver: no display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(d);
  const Window w = XCreateSimpleWindow(d, root, 10, 10, 240, 80, 0, 0, WhitePixel(d, 0));
  XStoreName(d, w, title);
  const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title),
                  static_cast<int>(std::strlen(title)));
  Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(d, w, &deleteWindow, 1);
  const Atom copyData = XInternAtom(d, "VESK_COPYDATA", False);
  XSelectInput(d, w, PropertyChangeMask | StructureNotifyMask);
  XMapWindow(d, w);
  XSync(d, False);
  std::fprintf(out, "ready pid=%ld window=0x%lx\n", static_cast<long>(getpid()), w);
  std::fflush(out);

  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == ClientMessage && static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow) break;
    if (e.type != PropertyNotify || e.xproperty.atom != copyData ||
        e.xproperty.state != PropertyNewValue) {
      continue;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // Read and delete: each hand-over is taken once.
    if (XGetWindowProperty(d, w, copyData, 0, 1 << 20, True, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success) {
      continue;
    }
    std::string bytes(reinterpret_cast<const char*>(data), data ? count : 0);
    char* typeName = type != None ? XGetAtomName(d, type) : nullptr;
    const bool zero = !bytes.empty() && bytes.back() == '\0';
    if (zero) bytes.pop_back();
    std::fprintf(out, "received type=%s format=%d bytes=%lu zero=%d text=%s\n",
                 typeName ? typeName : "None", format, count, zero ? 1 : 0, bytes.c_str());
    std::fflush(out);
    if (typeName) XFree(typeName);
    if (data) XFree(data);
  }
  XCloseDisplay(d);
  return 0;
}
