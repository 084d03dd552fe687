// Showing a category after an import has added to it.
#pragma once

#include "document/veskdoc.h"

namespace vesk {

// Makes category current and shows it, also when no tree view answers the selection hint and
// when it is current already (its list must show what was added).
void ShowCategory(CVeskDoc& doc, LINKINFO* category);

}  // namespace vesk
