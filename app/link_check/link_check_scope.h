// Which links a check covers, taken from the document before the check starts, so the check
// itself never touches the document.
#pragma once

#include <vector>

#include "app/link_check/link_check.h"
#include "document/link_info.h"

namespace vesk {

class CVeskDoc;

// The links of category and of every category below it: each category's own links in list
// order, then its subcategories in list order.
std::vector<const LINKINFO*> LinksToCheck(const CVeskDoc& doc, const LINKINFO* category);

// One request per link, in the same order, with the URL in UTF-8.
std::vector<LinkCheckRequest> MakeLinkCheckRequests(const std::vector<const LINKINFO*>& links);

}  // namespace vesk
