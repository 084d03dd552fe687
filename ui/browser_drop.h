// Drops on the tree and the list: files (as the window takes them) and links dragged from a
// browser (text/x-moz-url, text/uri-list).
#pragma once

#include <wx/dnd.h>

#include <functional>
#include <string>
#include <vector>

#include "app/capture/browser_page.h"

namespace vesk {

// Hands dropped files (file-system paths) and dropped links (with the drop point) to the
// callbacks; a uri-list of file URIs only is taken for files.
class CBrowserDropTarget : public wxDropTarget {
 public:
  using FilesDropped = std::function<void(const std::vector<std::string>& paths)>;
  using LinkDropped = std::function<void(wxCoord x, wxCoord y, const BrowserPage& page)>;

  CBrowserDropTarget(FilesDropped onFiles, LinkDropped onLink);

  wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;

 private:
  wxDataObjectComposite* m_composite;
  wxCustomDataObject* m_mozUrl;
  wxCustomDataObject* m_uriList;
  FilesDropped m_onFiles;
  LinkDropped m_onLink;
};

}  // namespace vesk
