// LINKINFO: the one node record (category or link), also used as undo record; FILEINFO: output
// settings.
#pragma once

#include <cstdint>
#include <list>
#include <string>

namespace vesk {

struct LINKINFO;
// The document's flat node list; iterators stay valid across other insertions and removals.
using NodeList = std::list<LINKINFO*>;
using NodePos = NodeList::iterator;

// Search-target flag bits of a link (also used by the Find mode word).
enum LinkFlagBits : int {
  kFlagCategoryName = 0x100,
  kFlagTitle = 0x200,
  kFlagComment = 0x400,
  kFlagAdmin = 0x2000,
  kFlagEmail = 0x4000,
};

// One category (m_nKind 0) or link (any other kind). Field order is the record's identity.
struct LINKINFO {
  // Constructs with today's local date; flags come from the setting "linkflag".
  LINKINFO(int kind, int flags);
  LINKINFO(const LINKINFO&) = delete;
  LINKINFO& operator=(const LINKINFO&) = delete;

  // Copies every value of the record in field order, m_pSelf, m_pParent and m_nSerial included.
  void CopyValues(const LINKINFO& other);
  bool IsCategory() const { return m_nKind == 0; }

  int m_nUndoOp = 0;
  int m_nUndoGroup = 0;
  std::uintptr_t m_hTreeItem = 0;
  int m_nOrder = 1;
  LINKINFO* m_pSelf;
  LINKINFO* m_pParent = nullptr;
  LINKINFO* m_pUndoAux = nullptr;
  std::uint32_t m_nSerial = 0;
  std::string m_strFileName;
  std::string m_strAdmin;
  std::string m_strEmail;
  std::int32_t m_tUpdate = 0;
  int m_nYear = 0;
  int m_nMonth = 0;
  int m_nDay = 0;
  int m_nMark = 0;
  std::string m_strTitle;
  std::string m_strURL;
  std::string m_strComment;
  std::string m_strBanner;
  std::string m_strKeywords;
  int m_nKind;
  int m_nParentSerial = 0;
  int m_nFlags;
  int m_nSortMode = 0;

  // Bookkeeping of the document, not a value of the record (never copied or saved):
  // the node's place in the node list while it is in it (whether it is, the document's store
  // knows).
  NodePos m_posSelf{};
  // Category: number of direct children (categories and links), left by the HTML output.
  int m_nChildCount = 0;
};

// The document's output settings, saved in the document file.
struct FILEINFO {
  std::string m_strCgiName = "category";
  std::string m_strCgiExt = "cgi";
  std::string m_strSearchFile = "search.cgi";
  std::string m_strTemplate;
  std::string m_strHtmlExt = "html";
  std::string m_strCgiFolder;
  std::string m_strHtmlFolder;
  int m_nLinksPerPage = 20;
};

}  // namespace vesk
