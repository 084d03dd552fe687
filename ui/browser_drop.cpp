#include "ui/browser_drop.h"

#include "app/capture/clipboard_page.h"

namespace vesk {

namespace {

const wxDataFormat& MozUrlFormat() {
  static const wxDataFormat format("text/x-moz-url");
  return format;
}

const wxDataFormat& UriListFormat() {
  static const wxDataFormat format("text/uri-list");
  return format;
}

// The file paths (the file system's bytes) of a uri-list when every entry is a file URI; empty
// otherwise.
std::vector<std::string> FilePaths(const std::string& list) {
  std::vector<std::string> paths;
  std::size_t pos = 0;
  while (pos < list.size()) {
    std::size_t end = list.find('\n', pos);
    if (end == std::string::npos) end = list.size();
    std::string line = list.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\0')) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::optional<std::string> path = FilePathFromUri(line);
    if (!path) return {};
    paths.push_back(*path);
  }
  return paths;
}

}  // namespace

CBrowserDropTarget::CBrowserDropTarget(FilesDropped onFiles, LinkDropped onLink)
    : m_composite(new wxDataObjectComposite()),
      m_mozUrl(new wxCustomDataObject(MozUrlFormat())),
      m_uriList(new wxCustomDataObject(UriListFormat())),
      m_onFiles(std::move(onFiles)),
      m_onLink(std::move(onLink)) {
  // The browser's own format carries the title; a plain list of URIs does not.
  m_composite->Add(m_mozUrl, true);
  m_composite->Add(m_uriList);
  SetDataObject(m_composite);
}

wxDragResult CBrowserDropTarget::OnData(wxCoord x, wxCoord y, wxDragResult def) {
  if (!GetData()) return wxDragNone;
  const wxDataFormat format = m_composite->GetReceivedFormat();
  std::optional<BrowserPage> page;
  if (format == MozUrlFormat()) {
    page = PageFromMozUrl(
        std::string(static_cast<const char*>(m_mozUrl->GetData()), m_mozUrl->GetSize()), "drop");
  } else if (format == UriListFormat()) {
    const std::string list(static_cast<const char*>(m_uriList->GetData()), m_uriList->GetSize());
    std::vector<std::string> paths = FilePaths(list);
    if (!paths.empty()) {
      if (m_onFiles) m_onFiles(paths);
      return def;
    }
    page = PageFromUriList(list, "drop");
  }
  if (!page) return wxDragNone;
  if (m_onLink) m_onLink(x, y, *page);
  return wxDragCopy;
}

}  // namespace vesk
