#include "ui/app_icon.h"

#include <wx/dcmemory.h>
#include <wx/icon.h>

namespace vesk {

wxBitmap AppIconBitmap(int size) {
  const wxColour key(255, 0, 255);
  wxBitmap bmp(size, size, 24);
  {
    wxMemoryDC dc(bmp);
    dc.SetBackground(wxBrush(key));
    dc.Clear();
    dc.SetUserScale(size / 32.0, size / 32.0);
    // A nest of links: a round globe with two chain links across it.
    dc.SetPen(wxPen(wxColour(30, 70, 160), 2));
    dc.SetBrush(wxBrush(wxColour(110, 170, 240)));
    dc.DrawCircle(16, 16, 14);
    dc.SetPen(wxPen(wxColour(40, 130, 60), 2));
    dc.DrawLine(6, 12, 14, 8);
    dc.DrawLine(18, 24, 26, 20);
    dc.SetPen(wxPen(wxColour(250, 200, 60), 3));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRoundedRectangle(6, 13, 12, 7, 3);
    dc.DrawRoundedRectangle(14, 13, 12, 7, 3);
  }
  bmp.SetMask(new wxMask(bmp, key));
  return bmp;
}

wxIconBundle AppIcons() {
  wxIconBundle bundle;
  for (int size : {16, 32, 48}) {
    wxIcon icon;
    icon.CopyFromBitmap(AppIconBitmap(size));
    bundle.AddIcon(icon);
  }
  return bundle;
}

}  // namespace vesk
