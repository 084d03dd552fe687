// The category file naming rule shared by the CGI data and HTML outputs.
#include <cstdio>

#include "publish/data_file.h"
#include "settings/vesk_settings.h"

namespace vesk {

std::string CDataFile::NextSeriesName() {
  char number[16];
  std::snprintf(number, sizeof number, "%d", m_nNameCounter++);
  return m_pFileInfo->m_strCgiName + number + "." + m_pFileInfo->m_strCgiExt;
}

void CDataFile::SettleFileName(LINKINFO* category) {
  if (!m_bAutoNames) m_bAutoNames = m_pSettings ? m_pSettings->GetAuto() != 0 : true;
  if (*m_bAutoNames) {
    category->m_strFileName = NextSeriesName();
    return;
  }
  if (!category->m_strFileName.empty()) return;
  if (!m_usedNames) {
    // Gathered once per run, so naming stays linear in the size of the collection.
    m_usedNames.emplace();
    for (const LINKINFO* node : *m_pNodeList) {
      if (node->IsCategory() && !node->m_strFileName.empty()) {
        m_usedNames->insert(node->m_strFileName);
      }
    }
  }
  std::string name;
  do {
    name = NextSeriesName();
  } while (m_usedNames->count(name) != 0);
  m_usedNames->insert(name);
  category->m_strFileName = name;
}

}  // namespace vesk
