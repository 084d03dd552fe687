#include "document/link_info.h"

#include <ctime>

namespace vesk {

LINKINFO::LINKINFO(int kind, int flags) : m_pSelf(this), m_nKind(kind), m_nFlags(flags) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  m_nYear = local.tm_year + 1900;
  m_nMonth = local.tm_mon + 1;
  m_nDay = local.tm_mday;
}

void LINKINFO::CopyValues(const LINKINFO& other) {
  if (&other == this) return;
  m_nUndoOp = other.m_nUndoOp;
  m_nUndoGroup = other.m_nUndoGroup;
  m_nOrder = other.m_nOrder;
  m_pSelf = other.m_pSelf;
  m_pParent = other.m_pParent;
  m_pUndoAux = other.m_pUndoAux;
  m_nSerial = other.m_nSerial;
  m_strFileName = other.m_strFileName;
  m_strAdmin = other.m_strAdmin;
  m_strEmail = other.m_strEmail;
  m_tUpdate = other.m_tUpdate;
  m_nYear = other.m_nYear;
  m_nMonth = other.m_nMonth;
  m_nDay = other.m_nDay;
  m_nMark = other.m_nMark;
  m_strTitle = other.m_strTitle;
  m_strURL = other.m_strURL;
  m_strComment = other.m_strComment;
  m_strBanner = other.m_strBanner;
  m_strKeywords = other.m_strKeywords;
  m_nKind = other.m_nKind;
  m_nParentSerial = other.m_nParentSerial;
  m_nFlags = other.m_nFlags;
  m_nSortMode = other.m_nSortMode;
  // m_posSelf describes where this object sits, not its values.
}

}  // namespace vesk
