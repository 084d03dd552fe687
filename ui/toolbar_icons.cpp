#include "ui/toolbar_icons.h"

#include <wx/dcmemory.h>
#include <wx/pen.h>

#include "ui/logic/command_table.h"

namespace vesk {

namespace {

// Pure magenta never occurs in the pictures and becomes the transparent colour.
const wxColour kKey(255, 0, 255);
const wxColour kInk(40, 40, 40);
const wxColour kPaper(255, 255, 255);
const wxColour kFolder(236, 196, 80);
const wxColour kBlue(40, 90, 200);
const wxColour kGreen(30, 140, 60);
const wxColour kRed(200, 40, 40);

void Page(wxDC& dc, int x, int y, int w, int h) {
  dc.SetPen(wxPen(kInk));
  dc.SetBrush(wxBrush(kPaper));
  dc.DrawRectangle(x, y, w, h);
}

void Folder(wxDC& dc, int x, int y, int w, int h, const wxColour& fill) {
  dc.SetPen(wxPen(kInk));
  dc.SetBrush(wxBrush(fill));
  dc.DrawRectangle(x, y + 2, w, h - 2);
  dc.DrawRectangle(x, y, w / 2, 3);
}

void Plus(wxDC& dc, int cx, int cy, const wxColour& colour) {
  dc.SetPen(wxPen(colour, 2));
  dc.DrawLine(cx - 3, cy, cx + 4, cy);
  dc.DrawLine(cx, cy - 3, cx, cy + 4);
}

void Arrow(wxDC& dc, bool down) {
  dc.SetPen(wxPen(kBlue));
  dc.SetBrush(wxBrush(kBlue));
  wxPoint tri[3];
  if (down) {
    dc.DrawRectangle(6, 1, 4, 7);
    tri[0] = wxPoint(2, 7);
    tri[1] = wxPoint(13, 7);
    tri[2] = wxPoint(7, 13);
  } else {
    dc.DrawRectangle(6, 7, 4, 7);
    tri[0] = wxPoint(2, 7);
    tri[1] = wxPoint(13, 7);
    tri[2] = wxPoint(7, 1);
  }
  dc.DrawPolygon(3, tri);
}

void Draw(wxDC& dc, int command) {
  switch (command) {
    case kCmdFileNew:
      Page(dc, 3, 1, 10, 13);
      dc.SetPen(wxPen(kInk));
      dc.DrawLine(9, 1, 12, 4);
      break;
    case kCmdFileOpen:
      Folder(dc, 1, 3, 14, 10, kFolder);
      dc.SetPen(wxPen(kGreen, 2));
      dc.DrawLine(9, 1, 13, 1);
      dc.DrawLine(13, 1, 13, 4);
      break;
    case kCmdFileSave:
      dc.SetPen(wxPen(kInk));
      dc.SetBrush(wxBrush(kBlue));
      dc.DrawRectangle(1, 1, 14, 13);
      dc.SetBrush(wxBrush(kPaper));
      dc.DrawRectangle(4, 1, 8, 6);
      dc.SetBrush(wxBrush(wxColour(180, 180, 180)));
      dc.DrawRectangle(4, 9, 8, 5);
      break;
    case kCmdEditCut:
      dc.SetPen(wxPen(kInk));
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
      dc.DrawCircle(4, 11, 2);
      dc.DrawCircle(11, 11, 2);
      dc.DrawLine(5, 9, 11, 0);
      dc.DrawLine(10, 9, 4, 0);
      break;
    case kCmdEditCopy:
      Page(dc, 1, 1, 8, 9);
      Page(dc, 6, 5, 8, 9);
      break;
    case kCmdEditPaste:
      dc.SetPen(wxPen(kInk));
      dc.SetBrush(wxBrush(wxColour(170, 120, 60)));
      dc.DrawRectangle(1, 2, 10, 12);
      dc.SetBrush(wxBrush(wxColour(200, 200, 200)));
      dc.DrawRectangle(4, 0, 4, 3);
      Page(dc, 7, 6, 8, 9);
      break;
    case kCmdNewCategory:
      Folder(dc, 0, 3, 12, 10, kFolder);
      Plus(dc, 12, 4, kGreen);
      break;
    case kCmdNewLink:
      Page(dc, 1, 3, 9, 11);
      dc.SetPen(wxPen(kBlue));
      dc.DrawLine(3, 7, 8, 7);
      dc.DrawLine(3, 10, 8, 10);
      Plus(dc, 12, 4, kGreen);
      break;
    case kCmdCgiOutput: {
      Page(dc, 1, 1, 13, 13);
      wxFont f(wxFontInfo(5).Family(wxFONTFAMILY_SWISS).Bold());
      dc.SetFont(f);
      dc.SetTextForeground(kRed);
      dc.DrawText("CGI", 2, 3);
      break;
    }
    case kCmdHtmlOutput:
      Page(dc, 1, 1, 13, 13);
      dc.SetPen(wxPen(kBlue, 2));
      dc.DrawLine(6, 4, 3, 7);
      dc.DrawLine(3, 7, 6, 10);
      dc.DrawLine(9, 4, 12, 7);
      dc.DrawLine(12, 7, 9, 10);
      break;
    case kCmdSearchProgram:
      dc.SetPen(wxPen(kInk, 2));
      dc.SetBrush(wxBrush(wxColour(200, 230, 255)));
      dc.DrawCircle(6, 6, 4);
      dc.DrawLine(9, 9, 14, 14);
      break;
    case kCmdMoveDown:
      Arrow(dc, true);
      break;
    case kCmdMoveUp:
      Arrow(dc, false);
      break;
    case kCmdAppAbout: {
      dc.SetPen(wxPen(kBlue));
      dc.SetBrush(wxBrush(kBlue));
      dc.DrawCircle(7, 7, 7);
      wxFont f(wxFontInfo(8).Family(wxFONTFAMILY_SWISS).Bold());
      dc.SetFont(f);
      dc.SetTextForeground(kPaper);
      dc.DrawText("?", 4, 0);
      break;
    }
    default:
      Page(dc, 2, 2, 12, 11);
      break;
  }
}

wxBitmap Paint(int width, int height, void (*paint)(wxDC&, int), int arg) {
  wxBitmap bmp(width, height, 24);
  {
    wxMemoryDC dc(bmp);
    dc.SetBackground(wxBrush(kKey));
    dc.Clear();
    paint(dc, arg);
  }
  bmp.SetMask(new wxMask(bmp, kKey));
  return bmp;
}

void DrawTreeImage(wxDC& dc, int which) {
  switch (which) {
    case 0:  // Top Category: a globe
      dc.SetPen(wxPen(kBlue));
      dc.SetBrush(wxBrush(wxColour(120, 180, 255)));
      dc.DrawCircle(8, 8, 7);
      dc.SetPen(wxPen(kGreen, 2));
      dc.DrawLine(4, 6, 8, 4);
      dc.DrawLine(8, 10, 12, 11);
      break;
    case 1:  // work box
      dc.SetPen(wxPen(kInk));
      dc.SetBrush(wxBrush(wxColour(190, 140, 80)));
      dc.DrawRectangle(1, 5, 14, 10);
      dc.DrawLine(1, 9, 15, 9);
      dc.SetBrush(wxBrush(wxColour(150, 100, 50)));
      dc.DrawRectangle(0, 3, 16, 3);
      break;
    case 2:  // trash
      dc.SetPen(wxPen(kInk));
      dc.SetBrush(wxBrush(wxColour(170, 170, 170)));
      dc.DrawRectangle(3, 4, 10, 11);
      dc.DrawRectangle(1, 2, 14, 2);
      dc.DrawLine(6, 6, 6, 13);
      dc.DrawLine(9, 6, 9, 13);
      break;
    case 3:
      Folder(dc, 1, 3, 14, 11, kFolder);
      break;
    default:  // selected category: an opened folder
      Folder(dc, 1, 3, 14, 11, kFolder);
      dc.SetPen(wxPen(kInk));
      dc.SetBrush(wxBrush(wxColour(255, 230, 140)));
      wxPoint flap[4] = {wxPoint(3, 7), wxPoint(15, 7), wxPoint(13, 13), wxPoint(1, 13)};
      dc.DrawPolygon(4, flap);
      break;
  }
}

}  // namespace

wxBitmap ToolbarIcon(int command) { return Paint(16, 15, Draw, command); }

wxImageList* CreateTreeImageList() {
  auto* list = new wxImageList(16, 16, true, 5);
  for (int i = 0; i < 5; ++i) list->Add(Paint(16, 16, DrawTreeImage, i));
  return list;
}

}  // namespace vesk
