#include "app/link_check/link_check_scope.h"

#include "document/child_index.h"
#include "document/veskdoc.h"
#include "text/encoding.h"

namespace vesk {

std::vector<const LINKINFO*> LinksToCheck(const CVeskDoc& doc, const LINKINFO* category) {
  std::vector<const LINKINFO*> links;
  if (!category || !category->IsCategory()) return links;
  CChildIndex index(doc.GetNodeList());
  // An explicit stack: a deep tree must not exhaust the call stack.
  std::vector<const LINKINFO*> pending{category};
  while (!pending.empty()) {
    const LINKINFO* c = pending.back();
    pending.pop_back();
    const auto& children = index.Children(c);
    for (const LINKINFO* n : children)
      if (!n->IsCategory()) links.push_back(n);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
      if ((*it)->IsCategory()) pending.push_back(*it);
  }
  return links;
}

std::vector<LinkCheckRequest> MakeLinkCheckRequests(const std::vector<const LINKINFO*>& links) {
  std::vector<LinkCheckRequest> requests;
  requests.reserve(links.size());
  for (const LINKINFO* link : links) {
    LinkCheckRequest r;
    r.serial = link->m_nSerial;
    // A URL that is not valid Shift_JIS keeps its bytes; the check then reports it as it finds.
    if (!Cp932ToUtf8(link->m_strURL, r.url)) r.url = link->m_strURL;
    requests.push_back(std::move(r));
  }
  return requests;
}

}  // namespace vesk
