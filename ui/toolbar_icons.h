// The pictures of the toolbar buttons (16 x 15) and the category tree (16 x 16), drawn in code.
#pragma once

#include <wx/bitmap.h>
#include <wx/imaglist.h>

namespace vesk {

// The button picture of a command number; a plain square for a command without its own.
wxBitmap ToolbarIcon(int command);

// Tree images in the order the tree uses them: Top Category, work box, trash, category,
// selected category.
wxImageList* CreateTreeImageList();

}  // namespace vesk
