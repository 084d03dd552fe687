// Moving the links a check found wanting into the work box, where the owner reviews them before
// throwing them away.
#pragma once

#include <cstddef>
#include <vector>

#include "document/node_store.h"

namespace vesk {

class CVeskDoc;

// Moves the links into the work box as one undo group and shows the current category again.
// Ids of nodes freed since, categories and links already in the work box are skipped. Returns
// how many links moved; no group is recorded when none did.
std::size_t ParkLinksInWorkBox(CVeskDoc& doc, const std::vector<NodeId>& links);

}  // namespace vesk
