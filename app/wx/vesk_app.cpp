// CVeskApp: the desktop program's application object.
#include <wx/wx.h>

#include <cstdio>
#include <cstdlib>

#include "publish/encoding.h"
#include "resources/string_table.h"

namespace {

wxString FromSjis(const std::string& sjis) { return wxString::FromUTF8(vesk::ToUtf8(sjis)); }

class CVeskApp : public wxApp {
 public:
  bool OnInit() override {
    const std::string caption = vesk::ResFormat(10116, "Vesk");
    auto* frame =
        new wxFrame(nullptr, wxID_ANY, FromSjis(caption), wxPoint(80, 80), wxSize(550, 360));
    frame->Show();
    return true;
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Without a display the toolkit cannot start; say so plainly instead of its own noise.
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0')) {
    std::fputs("vesk: no display available (set DISPLAY or run under xvfb-run)\n", stderr);
    return 1;
  }
  wxApp::SetInstance(new CVeskApp());
  wxEntryStart(argc, argv);
  int rc = 1;
  if (wxTheApp->CallOnInit()) rc = wxTheApp->OnRun();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return rc;
}
