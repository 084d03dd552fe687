// The program's icon (window and About box), drawn in code.
#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace vesk {

// The picture at size x size pixels.
wxBitmap AppIconBitmap(int size);
// The picture at the sizes the desktop asks for.
wxIconBundle AppIcons();

}  // namespace vesk
