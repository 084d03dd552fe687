// The document side of the commands of the category tree and the link list: what each command
// records for undo and changes in the node list. The views keep rows, items and selection and
// call these with the nodes they show; every refusal beeps through the document's user interface.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/veskdoc.h"

namespace vesk {

// The one-node clipboard of a view: a copy of all values of the node copied or cut last.
class CNodeClipboard {
 public:
  bool IsEmpty() const { return !m_node; }
  void Store(const LINKINFO& node);
  const LINKINFO* Node() const { return m_node.get(); }

 private:
  std::unique_ptr<LINKINFO> m_node;
};

// --- both views ---

// Change link: code 101 in a new group, then the property sheet; a cancelled sheet leaves no group.
bool ChangeLink(CVeskDoc& doc, LINKINFO* link);
// Change category: as ChangeLink with the category dialog; silently refused for the work box and
// while the current category is in the trash.
bool ChangeCategory(CVeskDoc& doc, LINKINFO* category);
// End of an in-place rename: records and renames only for a non-empty, different name.
bool RenameCategory(CVeskDoc& doc, LINKINFO* category, const std::string& newTitle);
// Creates the node that the clipboard's values go into (category: under parent; link: under
// the current category); null when refused. The caller shows it, then calls RecordCreated.
LINKINFO* PasteNode(CVeskDoc& doc, const CNodeClipboard& clipboard, LINKINFO* parent = nullptr);
// Code 100 for a node just created and shown, in a new group.
void RecordCreated(CVeskDoc& doc, LINKINFO* node);

// --- category tree ---

// The category that stands before category among its parent's sub-categories (null: first).
LINKINFO* PreviousSiblingCategory(CVeskDoc& doc, LINKINFO* category);
// The sibling sub-category right after (+1) or before (-1) category, or null.
LINKINFO* NeighbourCategory(CVeskDoc& doc, LINKINFO* category, int direction);
// Copy: refused for Top Category, the work box, the trash and while in the trash.
bool CopyCategory(CVeskDoc& doc, LINKINFO* category, CNodeClipboard& clipboard);
// Cut/delete: copies the category, moves it with its subtree under the trash (code 200, with
// previousSibling as the place to come back to) and selects its former parent.
bool CutCategory(CVeskDoc& doc, LINKINFO* category, CNodeClipboard& clipboard,
                 LINKINFO* previousSibling);
// Drag and drop of a category onto target: refused for the fixed categories, for target itself,
// a target inside the dragged subtree and the current parent.
bool DropCategory(CVeskDoc& doc, LINKINFO* category, LINKINFO* target, LINKINFO* previousSibling);
// Move up/down: code 300 (record's m_pSelf = neighbour, m_pUndoAux = category, m_pUndoNext = the
// follower of the node the swap moves), then the swap.
bool SwapCategories(CVeskDoc& doc, LINKINFO* category, LINKINFO* neighbour);
// Fills the tree: hint 102 for each fixed category and, depth first in list order, its
// sub-categories; then hint 109 and the selection of Top Category.
void FillCategoryTree(CVeskDoc& doc);

// --- link list (rows are the links in display order) ---

// Cut/delete: code 201 for the current category, then each link is copied and moved to the trash.
bool CutLinks(CVeskDoc& doc, const std::vector<LINKINFO*>& selected, CNodeClipboard& clipboard);
// Copy: exactly one selected link, not in the trash.
bool CopyLink(CVeskDoc& doc, const std::vector<LINKINFO*>& selected, CNodeClipboard& clipboard);
// Move up/down of one link: code 300 (m_pUndoAux = neighbour), then the swap of places and
// order numbers.
bool SwapLinks(CVeskDoc& doc, LINKINFO* link, LINKINFO* neighbour);
// Links dropped on another category: code 201 for the current category, 200 for each link.
bool DropLinksOnCategory(CVeskDoc& doc, const std::vector<LINKINFO*>& selected, LINKINFO* target);
// Links dragged inside the list and dropped before dropRow (null: below the last row); refused
// when dropRow is the first selected row or the row right after it. Ends with the list refilled.
bool ReorderLinks(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                  const std::vector<LINKINFO*>& selected, LINKINFO* dropRow);
// Sorts rows by code, numbers their m_nOrder 1, 2, ... and moves them to the end of the node
// list in that order, so the manual order equals what is shown. Returns the sorted rows.
std::vector<LINKINFO*> MakeOrderPhysical(CVeskDoc& doc, std::vector<LINKINFO*> rows, int code);
// Header click that changes the active code to newCode: the old order is recorded (code 201 and
// one 302 per row, with two rows or more), the category takes newCode and the order is made
// physical. Returns the rows in their new display order.
std::vector<LINKINFO*> SortLinksByColumn(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                                         const std::vector<LINKINFO*>& selected, int active,
                                         int newCode);
// Random sort with the given seed (the view passes the current time); the category's own sort
// mode is kept. Returns the rows in their new display order.
std::vector<LINKINFO*> RandomSortLinks(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                                       const std::vector<LINKINFO*>& selected, unsigned seed);
// A new or pasted link that has its row: with tail off and other rows present it goes first;
// then the order is made physical. rows include the new link.
std::vector<LINKINFO*> PlaceNewLink(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                                    LINKINFO* newLink, int active, bool tail);

}  // namespace vesk
