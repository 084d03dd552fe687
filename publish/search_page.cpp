#include "publish/search_page.h"

#include "document/veskdoc.h"
#include "publish/data_file.h"

namespace vesk {

bool CDataFile::WriteSearchPage(const std::string& path) {
  std::string page = "<HTML>\n<HEAD>\n<TITLE>Kestrelnest -> Deepscout</TITLE>\n<BODY>\n";
  if (m_pCurrent != nullptr && m_pNodeList != nullptr) {
    for (const LINKINFO* node : *m_pNodeList) {
      if (node->m_pParent != m_pCurrent || node->IsCategory()) continue;
      // Verbatim, as in every published page: the owner's text is HTML already.
      page += "<A href=\"" + node->m_strURL + "\">" + node->m_strTitle + "</A><BR>\n";
    }
  }
  page += "</BODY>\n</HTML>\n";
  return WriteWholeFile(path, page);
}

std::string WriteSearchPageBesideDocument(CVeskDoc& doc) {
  std::string folder = doc.DocFolder();
  if (folder.empty()) return {};
  std::string path = folder + kSearchPageName;
  CDataFile data(doc);
  if (!data.WriteSearchPage(path)) return {};
  return path;
}

}  // namespace vesk
