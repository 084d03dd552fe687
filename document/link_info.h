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

// The parent marker (m_nParentSerial) of the fixed categories: index 0 Top Category, 1 the work
// box, 2 the trash are marked -1, -2, -3.
constexpr int kFixedCategoryCount = 3;
constexpr int FixedCategoryMarker(int index) { return -(index + 1); }
// The fixed category a parent marker names, or -1 for any other value.
constexpr int FixedCategoryIndex(int marker) {
  return (marker >= -kFixedCategoryCount && marker <= -1) ? -marker - 1 : -1;
}

// m_nMark of a category shown expanded when the document was saved (0: collapsed).
constexpr int kExpandedMark = 32;

// What a node is; the value is the m_nKind the document file keeps.
enum class NodeKind : int {
  Category = 0,
  // A link that came in from outside: an import, Favorites, a captured browser page.
  Link = 1,
  // A link made in the program by New Link or Paste. Every rule treats it as a link; the kind
  // only keeps where the link came from, and files keep it.
  NewLink = 2,
};

// One category (m_nKind 0) or link (any other kind). Field order is the record's identity.
struct LINKINFO {
  // Constructs with today's local date; flags come from the setting "linkflag". The kind is the
  // file's number, which may be one NodeKind does not name.
  LINKINFO(int kind, int flags);
  LINKINFO(NodeKind kind, int flags) : LINKINFO(static_cast<int>(kind), flags) {}
  LINKINFO(const LINKINFO&) = delete;
  LINKINFO& operator=(const LINKINFO&) = delete;

  // Copies every value of the record in field order, m_pSelf, m_pParent and m_nSerial included.
  void CopyValues(const LINKINFO& other);
  bool IsCategory() const { return m_nKind == static_cast<int>(NodeKind::Category); }

  int m_nUndoOp = 0;
  int m_nUndoGroup = 0;
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
  // Undo record (and a node emptied from the trash): the node that followed the live node in the
  // list when it was recorded (null: it was last), so undo puts it back in its very place.
  LINKINFO* m_pUndoNext = nullptr;
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
