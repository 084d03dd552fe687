#include "document/document_file.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/veskdoc.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"
#include "text/utf16.h"

namespace vesk {

namespace {

constexpr std::uint16_t kNewTypeTag = 0xFFFF;
constexpr std::uint16_t kTypeTagBit = 0x8000;
constexpr std::uint16_t kBigTag = 0x7FFF;
constexpr std::uint32_t kBigTypeBit = 0x80000000;
constexpr char kFileInfoName[] = "FILEINFO";
constexpr char kLinkInfoName[] = "LINKINFO";
constexpr char kGenreMarker[] = "option";
// A genre list from a file is held to what the settings sheet can make: 100 genres of ten
// full-width characters each.
constexpr std::size_t kMaxGenres = 100;
constexpr std::size_t kMaxGenreListBytes = 4096;

bool GenreListFits(const std::string& genres) {
  return genres.size() <= kMaxGenreListBytes &&
         static_cast<std::size_t>(std::count(genres.begin(), genres.end(), '\t')) <= kMaxGenres;
}

// --- writing ---

class Writer {
 public:
  explicit Writer(std::size_t reserve) { m_out.reserve(reserve); }
  void U16(std::uint16_t v) {
    m_out.push_back(static_cast<char>(v & 0xFF));
    m_out.push_back(static_cast<char>(v >> 8));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) m_out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void Length(std::size_t n) {
    if (n < 0xFF) {
      m_out.push_back(static_cast<char>(n));
    } else if (n < 0xFFFE) {
      m_out.push_back(static_cast<char>(0xFF));
      U16(static_cast<std::uint16_t>(n));
    } else {
      m_out.push_back(static_cast<char>(0xFF));
      U16(0xFFFF);
      U32(static_cast<std::uint32_t>(n));
    }
  }
  void String(std::string_view s) {
    Length(s.size());
    m_out.append(s);
  }
  // The texts of a record lose their line breaks and TABs in the file; memory keeps them.
  void FlatString(std::string_view s) {
    if (s.find_first_of("\r\n\t") == std::string_view::npos) return String(s);
    std::string flat;
    flat.reserve(s.size());
    for (char c : s)
      if (c != '\r' && c != '\n' && c != '\t') flat.push_back(c);
    String(flat);
  }
  void NewType(const char* name) {
    U16(kNewTypeTag);
    U16(0);  // schema
    U16(8);
    m_out.append(name, 8);
  }
  std::string& Bytes() { return m_out; }

 private:
  std::string m_out;
};

// --- reading ---

// Thrown for any byte sequence that is not a document file; caught in Load.
struct FormatError {};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : m_data(bytes) {}

  std::size_t Remaining() const { return m_data.size() - m_pos; }
  void Need(std::size_t n) const {
    if (n > Remaining()) throw FormatError{};
  }
  std::uint8_t U8() {
    Need(1);
    return static_cast<std::uint8_t>(m_data[m_pos++]);
  }
  std::uint16_t U16() {
    Need(2);
    auto b0 = static_cast<std::uint8_t>(m_data[m_pos]);
    auto b1 = static_cast<std::uint8_t>(m_data[m_pos + 1]);
    m_pos += 2;
    return static_cast<std::uint16_t>(b0 | (b1 << 8));
  }
  std::uint32_t U32() {
    Need(4);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
      v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(m_data[m_pos + i])) << (8 * i);
    m_pos += 4;
    return v;
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::string_view Bytes(std::size_t n) {
    Need(n);
    std::string_view out = m_data.substr(m_pos, n);
    m_pos += n;
    return out;
  }

  // A length-prefixed string; a UTF-16 string (marker 0xFF 0xFFFE) comes back in Shift_JIS.
  std::string String() {
    bool wide = false;
    std::uint32_t n = U8();
    if (n == 0xFF) {
      n = U16();
      if (n == 0xFFFE) {
        wide = true;
        n = U8();
        if (n == 0xFF) n = U16();
        if (n == 0xFFFF) n = U32();
        if (n == 0xFFFFFFFF) throw FormatError{};  // a 64-bit length: more than any file holds
      } else if (n == 0xFFFF) {
        n = U32();
        if (n == 0xFFFFFFFF) throw FormatError{};
      }
    }
    if (!wide) return std::string(Bytes(n));
    if (n > Remaining() / 2) throw FormatError{};
    return Utf16ToCp932(Bytes(std::size_t{n} * 2));
  }

 private:
  // A lone surrogate has no character.
  static std::string Utf16ToCp932(std::string_view le) { return ToCp932(Utf16LeToUtf8(le, '?')); }

  std::string_view m_data;
  std::size_t m_pos = 0;
};

// Record references: types and records share one running number, starting at 1.
class RecordTags {
 public:
  // Reads the tag of a record that must be of the named type.
  void Expect(Reader& in, std::string_view name) {
    Item type = name == kFileInfoName ? Item::FileInfoType : Item::LinkInfoType;
    std::uint16_t tag = in.U16();
    if (tag == kNewTypeTag) {
      std::uint16_t schema = in.U16();
      std::uint16_t length = in.U16();
      std::string_view typeName = in.Bytes(length);
      if (schema != 0 || typeName != name) throw FormatError{};
      m_items.push_back(type);
    } else {
      std::uint32_t number;
      if (tag == kBigTag) {
        std::uint32_t big = in.U32();
        if (!(big & kBigTypeBit)) throw FormatError{};  // a reference to an earlier record
        number = big & ~kBigTypeBit;
      } else if (tag & kTypeTagBit) {
        number = tag & ~kTypeTagBit;
      } else {
        throw FormatError{};  // null, or a reference to an earlier record
      }
      if (number == 0 || number > m_items.size() || m_items[number - 1] != type)
        throw FormatError{};
    }
    m_items.push_back(Item::Record);
  }

 private:
  enum class Item : std::uint8_t { Record, FileInfoType, LinkInfoType };
  std::vector<Item> m_items;
};

void WriteFileInfo(Writer& out, const FILEINFO& info) {
  out.String(info.m_strCgiName);
  out.String(info.m_strCgiExt);
  out.String(info.m_strSearchFile);
  out.String(info.m_strTemplate);
  out.String(info.m_strHtmlExt);
  out.String(info.m_strCgiFolder);
  out.String(info.m_strHtmlFolder);
  out.U32(static_cast<std::uint32_t>(info.m_nLinksPerPage));
}

void ReadFileInfo(Reader& in, FILEINFO& info) {
  info.m_strCgiName = in.String();
  info.m_strCgiExt = in.String();
  info.m_strSearchFile = in.String();
  info.m_strTemplate = in.String();
  info.m_strHtmlExt = in.String();
  info.m_strCgiFolder = in.String();
  info.m_strHtmlFolder = in.String();
  info.m_nLinksPerPage = static_cast<int>(in.U32());
}

void WriteLinkInfo(Writer& out, const LINKINFO& n) {
  out.U32(n.m_nSerial);
  out.FlatString(n.m_strFileName);
  out.FlatString(n.m_strAdmin);
  out.FlatString(n.m_strEmail);
  out.I32(n.m_tUpdate);
  out.I32(n.m_nYear);
  out.I32(n.m_nMonth);
  out.I32(n.m_nDay);
  out.I32(n.m_nMark);
  out.FlatString(n.m_strTitle);
  out.FlatString(n.m_strURL);
  out.FlatString(n.m_strComment);
  out.FlatString(n.m_strBanner);
  out.String(n.m_strKeywords);
  out.I32(n.m_nKind);
  out.I32(n.m_nParentSerial);
  out.I32(n.m_nFlags);
  out.I32(n.m_nSortMode);
}

// Which fields a record has depends on the version of the file being read.
void ReadLinkInfo(Reader& in, LINKINFO& n, std::uint32_t version) {
  n.m_nSerial = in.U32();
  n.m_strFileName = in.String();
  n.m_strAdmin = in.String();
  n.m_strEmail = in.String();
  n.m_tUpdate = in.I32();
  n.m_nYear = in.I32();
  n.m_nMonth = in.I32();
  n.m_nDay = in.I32();
  n.m_nMark = in.I32();
  n.m_strTitle = in.String();
  n.m_strURL = in.String();
  n.m_strComment = in.String();
  n.m_strBanner = in.String();
  n.m_strKeywords = in.String();
  if (version >= 200) {
    n.m_nKind = in.I32();
    n.m_nParentSerial = in.I32();
    n.m_nFlags = in.I32();
    n.m_nSortMode = in.I32();
  }
}

}  // namespace

// The loading and storing steps that work on the document's own members, which only the
// document file (its friend) reaches.
struct CDocumentFile::Steps {
  static LINKINFO** FixedSlot(CVeskDoc& doc, int index);
  static std::uint32_t LoaderSerial(CVeskDoc& doc);
  static LINKINFO* AppendFixed(CVeskDoc& doc, int index, int linkFlag, std::uint32_t serial);
  static void BreakParentLoops(CVeskDoc& doc);
  static void CreateMissingFixed(CVeskDoc& doc, int linkFlag);
  static void LoadCurrent(CVeskDoc& doc, Reader& in, std::uint32_t version, int linkFlag);
  static void LoadOld(CVeskDoc& doc, Reader& in, std::uint32_t version, int linkFlag);
  static std::size_t StoredSizeBound(const CVeskDoc& doc);
};

LINKINFO** CDocumentFile::Steps::FixedSlot(CVeskDoc& doc, int index) {
  LINKINFO** slots[kFixedCategoryCount] = {&doc.m_pTopCategory, &doc.m_pWorkBox, &doc.m_pTrash};
  return slots[index];
}

// A serial for a node that loading adds. Loading never refuses or asks: a serial beyond the
// limit is left for the serial check of the next save, which offers to renumber.
std::uint32_t CDocumentFile::Steps::LoaderSerial(CVeskDoc& doc) {
  if (doc.m_nNextSerial == 0xFFFFFFFF) return 0xFFFFFFFF;
  return doc.m_nNextSerial++;
}

// Appends a fixed category (index 0 top, 1 work box, 2 trash); not bound by the node limit.
LINKINFO* CDocumentFile::Steps::AppendFixed(CVeskDoc& doc, int index, int linkFlag,
                                            std::uint32_t serial) {
  LINKINFO* node = doc.AppendNewNode(NodeKind::Category, linkFlag);
  node->m_nSerial = serial;
  node->m_nParentSerial = FixedCategoryMarker(index);
  node->m_strTitle = ResString(FixedCategoryTitleId(index));
  *FixedSlot(doc, index) = node;
  return node;
}

// Cuts parent loops so that every climb up the parents ends; the node where a loop closes
// loses its parent (a save files it under the work box).
void CDocumentFile::Steps::BreakParentLoops(CVeskDoc& doc) {
  // One walk mark per store slot: 0 unvisited, 1 finished, 2 + walk number while on the
  // current walk. Parents are listed nodes, so every node met has a slot.
  const CNodeStore& store = doc.m_store;
  std::vector<std::size_t> mark(store.SlotCount(), 0);
  std::size_t outside = 1;  // a parent the store does not hold ends a walk like a finished one
  auto markOf = [&](const LINKINFO* n) -> std::size_t& {
    const std::size_t slot = store.SlotOf(n);
    outside = 1;
    return slot == CNodeStore::npos ? outside : mark[slot];
  };
  std::size_t walk = 2;
  for (LINKINFO* start : doc.m_pNodeList) {
    if (markOf(start) != 0) continue;
    LINKINFO* x = start;
    while (x && markOf(x) == 0) {
      markOf(x) = walk;
      x = x->m_pParent;
    }
    if (x && markOf(x) == walk) x->m_pParent = nullptr;
    for (LINKINFO* y = start; y && markOf(y) == walk; y = y->m_pParent) markOf(y) = 1;
    ++walk;
  }
}

// Hands out serials that no node of the document holds, for the nodes that loading adds or
// renames. Loading never refuses or asks: when every serial below the limit is taken, one above
// it is handed out and the serial check of the next save offers to renumber.
class UnusedSerials {
 public:
  explicit UnusedSerials(const CVeskDoc& doc) : m_below(kSerialLimit, false) {
    for (const LINKINFO* n : doc.GetNodeList()) Mark(n->m_nSerial);
  }
  std::uint32_t Take(CVeskDoc& doc) {
    std::uint32_t serial = doc.GetNextSerial();
    if (serial >= kSerialLimit || m_below[serial]) {
      while (m_lowest < kSerialLimit && m_below[m_lowest]) ++m_lowest;
      serial = m_lowest;
      // Fewer nodes than serials: this stops long before the values that read as markers.
      while (serial >= kSerialLimit && m_above.count(serial)) ++serial;
    }
    Mark(serial);
    if (serial < kSerialLimit) doc.SetNextSerial(std::max(doc.GetNextSerial(), serial + 1));
    return serial;
  }

 private:
  void Mark(std::uint32_t serial) {
    if (serial < kSerialLimit)
      m_below[serial] = true;
    else
      m_above.insert(serial);
  }
  std::vector<bool> m_below;
  std::unordered_set<std::uint32_t> m_above;
  std::uint32_t m_lowest = 0;
};

// Every document has its three fixed categories; a file without one gets it back, appended,
// with a serial that no node uses.
void CDocumentFile::Steps::CreateMissingFixed(CVeskDoc& doc, int linkFlag) {
  if (doc.m_pTopCategory && doc.m_pWorkBox && doc.m_pTrash) return;
  std::uint32_t largest = 0;
  bool any = false;
  for (const LINKINFO* n : doc.m_pNodeList) {
    if (!any || n->m_nSerial > largest) largest = n->m_nSerial;
    any = true;
  }
  if (any && largest < kSerialLimit && doc.m_nNextSerial <= largest)
    doc.m_nNextSerial = largest + 1;
  UnusedSerials serials(doc);
  for (int i = 0; i < kFixedCategoryCount; ++i)
    if (!*FixedSlot(doc, i)) AppendFixed(doc, i, linkFlag, serials.Take(doc));
}

// A save names each node's parent by serial (the work box's for a node without one) and a load
// takes the first node in list order with that serial, while -1, -2 and -3 stand for the fixed
// categories themselves. A parent whose serial an earlier node also holds, or whose serial reads
// back as one of those markers, would not be found again: the next load would put its children
// elsewhere and the document would change from one save to the next. Such a parent gets a serial
// that no node holds; its serial was not valid in the document anyway.
void MakeParentsNameable(CVeskDoc& doc) {
  std::unordered_map<std::uint32_t, const LINKINFO*> first;
  first.reserve(doc.GetNodeList().size());
  for (const LINKINFO* n : doc.GetNodeList()) first.emplace(n->m_nSerial, n);
  std::unordered_set<const LINKINFO*> unnameable;
  for (const LINKINFO* n : doc.GetNodeList()) {
    if (doc.IsFixedCategory(n)) continue;
    const LINKINFO* parent = doc.Contains(n->m_pParent) ? n->m_pParent : doc.GetWorkBox();
    if (!parent) continue;
    if (FixedCategoryIndex(static_cast<int>(parent->m_nSerial)) >= 0 ||
        first[parent->m_nSerial] != parent)
      unnameable.insert(parent);
  }
  if (unnameable.empty()) return;
  UnusedSerials serials(doc);
  for (LINKINFO* n : doc.GetNodeList())
    if (unnameable.count(n)) n->m_nSerial = serials.Take(doc);
  doc.SerialsChanged();
}

namespace {

// A document cannot hold more nodes than there are serial numbers; a file claiming more is not
// one of ours. This also bounds what loading can take: a node in memory is far larger than the
// smallest record that describes it.
void CheckNodeCount(std::uint64_t count) {
  if (count > kSerialLimit) throw FormatError{};
}

}  // namespace

void CDocumentFile::Steps::LoadCurrent(CVeskDoc& doc, Reader& in, std::uint32_t version,
                                       int linkFlag) {
  RecordTags tags;
  doc.m_nNextSerial = in.U32();
  if (version >= 300) {
    tags.Expect(in, kFileInfoName);
    auto info = std::make_unique<FILEINFO>();
    ReadFileInfo(in, *info);
    doc.m_pFileInfo = std::move(info);
  }
  std::string genres = in.String();
  // The document only takes the list here; whether it goes on to the settings is the opening
  // command's business (a command that only reads a document leaves the settings alone).
  if (genres != kGenreMarker) {
    if (GenreListFits(genres)) {
      doc.m_strGenreList = std::move(genres);
      doc.m_genreSource = CVeskDoc::GenreSource::File;
    } else {
      doc.m_genreSource = CVeskDoc::GenreSource::Refused;
    }
  }
  bool clearKeywords = doc.m_strGenreList == kGenreMarker;
  std::uint32_t count = in.U32();
  CheckNodeCount(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    tags.Expect(in, kLinkInfoName);
    LINKINFO* node =
        doc.AppendNewNode(NodeKind::Link, linkFlag);  // the document's, also on failure
    ReadLinkInfo(in, *node, version);
    if (clearKeywords) {
      node->m_strKeywords.clear();
      node->m_nFlags = linkFlag;
    }
  }
  CDocumentFile::ResolveParents(doc);
}

void CDocumentFile::Steps::LoadOld(CVeskDoc& doc, Reader& in, std::uint32_t version, int linkFlag) {
  RecordTags tags;
  if (version == 101) {
    doc.m_nNextSerial = in.U32();
    in.String();
  }
  std::uint32_t linkCount = in.U32();
  CheckNodeCount(linkCount);
  std::vector<LINKINFO*> links;
  for (std::uint32_t i = 0; i < linkCount; ++i) {
    tags.Expect(in, kLinkInfoName);
    LINKINFO* node = doc.AppendNewNode(NodeKind::Link, linkFlag);
    ReadLinkInfo(in, *node, version);
    links.push_back(node);
  }
  std::uint32_t categoryCount = in.U32();
  CheckNodeCount(std::uint64_t{linkCount} + categoryCount);
  std::vector<LINKINFO*> table;  // table number k is table[k - 1]
  // Keyed by views of the titles the nodes hold, so the table costs no copy of any name.
  std::unordered_map<std::string_view, LINKINFO*> byName;
  for (std::uint32_t i = 0; i < categoryCount; ++i) {
    std::uint32_t parentNumber = in.U32() & 0xFFFF;
    LINKINFO* category = doc.AppendNewNode(NodeKind::Category, linkFlag);
    category->m_strTitle = in.String();
    category->m_strFileName = in.String();
    category->m_nMark = static_cast<int>(in.U32());
    category->m_nSerial = LoaderSerial(doc);
    if (parentNumber == 0) doc.m_pTopCategory = category;
    // Only an entry read before this one can be the parent, so the table cannot loop.
    if (parentNumber != 0 && parentNumber <= table.size())
      category->m_pParent = table[parentNumber - 1];
    table.push_back(category);
    byName.emplace(std::string_view(category->m_strTitle), category);  // the first name wins
  }
  doc.SerialsChanged();
  // Old files kept the category's name in the e-mail field of a link.
  for (LINKINFO* link : links) {
    auto found = byName.find(link->m_strEmail);
    if (found == byName.end()) continue;
    link->m_pParent = found->second;
    link->m_strEmail.clear();
  }
  if (version != 101) doc.Renumber();
  if (doc.m_pTopCategory) doc.m_pTopCategory->m_nParentSerial = -1;
  // The node limit guards what the user adds, so a large old file still gets both.
  AppendFixed(doc, 1, linkFlag, LoaderSerial(doc));
  AppendFixed(doc, 2, linkFlag, LoaderSerial(doc));
  CreateMissingFixed(doc, linkFlag);
  MakeParentsNameable(doc);
}

// Room for the whole file, so that the buffer of a large document never has to grow (growing
// would hold the old and the new buffer at once).
std::size_t CDocumentFile::Steps::StoredSizeBound(const CVeskDoc& doc) {
  auto str = [](const std::string& s) { return s.size() + 7; };
  const FILEINFO& fi = *doc.m_pFileInfo;
  std::size_t size = 128 + str(fi.m_strCgiName) + str(fi.m_strCgiExt) + str(fi.m_strSearchFile) +
                     str(fi.m_strTemplate) + str(fi.m_strHtmlExt) + str(fi.m_strCgiFolder) +
                     str(fi.m_strHtmlFolder);
  for (const LINKINFO* n : doc.m_pNodeList) {
    size += 14 + 4 * 10 + str(n->m_strFileName) + str(n->m_strAdmin) + str(n->m_strEmail) +
            str(n->m_strTitle) + str(n->m_strURL) + str(n->m_strComment) + str(n->m_strBanner) +
            str(n->m_strKeywords);
  }
  return size;
}

std::string UnexpectedFormatText() { return ToCp932("予期しないﾌｧｲﾙ形式です。"); }

std::string CDocumentFile::Store(CVeskDoc& doc) {
  Writer out(Steps::StoredSizeBound(doc));
  out.String(ResString(kIdsDocFileHeader));
  out.U32(kDocFileVersion);
  out.U32(doc.m_nNextSerial);
  out.NewType(kFileInfoName);
  WriteFileInfo(out, *doc.m_pFileInfo);
  out.String(kGenreMarker);
  out.U32(static_cast<std::uint32_t>(doc.m_pNodeList.size()));
  bool first = true;
  for (LINKINFO* node : doc.m_pNodeList) {
    node->m_nParentSerial = SavedParentSerial(doc, node);
    if (first) {
      out.NewType(kLinkInfoName);
      first = false;
    } else {
      out.U16(kTypeTagBit | 3);  // FILEINFO type 1, its record 2, LINKINFO type 3
    }
    WriteLinkInfo(out, *node);
  }
  return std::move(out.Bytes());
}

int CDocumentFile::SavedParentSerial(const CVeskDoc& doc, const LINKINFO* node) {
  if (node == doc.m_pTopCategory) return FixedCategoryMarker(0);
  if (node == doc.m_pWorkBox) return FixedCategoryMarker(1);
  if (node == doc.m_pTrash) return FixedCategoryMarker(2);
  if (doc.Contains(node->m_pParent)) return static_cast<int>(node->m_pParent->m_nSerial);
  return doc.m_pWorkBox ? static_cast<int>(doc.m_pWorkBox->m_nSerial) : 0;
}

void CDocumentFile::Clear(CVeskDoc& doc) { doc.Reset(); }

LINKINFO* CDocumentFile::AppendNode(CVeskDoc& doc, int kind) {
  LINKINFO* node = doc.AppendNewNode(NodeKind::Link, doc.Settings().GetLinkFlag());
  node->m_nKind = kind;
  return node;
}

bool CDocumentFile::Load(CVeskDoc& doc, std::string_view bytes) {
  doc.Reset();
  int linkFlag = doc.Settings().GetLinkFlag();
  try {
    Reader in(bytes);
    std::string header = in.String();
    std::uint32_t version = in.U32();
    doc.m_nLoadedVersion = static_cast<int>(std::min<std::uint32_t>(version, 0x7FFFFFFF));
    if (header != ResString(kIdsDocFileHeader) || version > kDocFileVersion) return false;
    if (version >= 200)
      Steps::LoadCurrent(doc, in, version, linkFlag);
    else
      Steps::LoadOld(doc, in, version, linkFlag);
  } catch (const FormatError&) {
    return false;
  }
  doc.ClearUndo();
  return true;
}

void CDocumentFile::ResolveParents(CVeskDoc& doc) {
  int linkFlag = doc.Settings().GetLinkFlag();
  std::unordered_map<std::uint32_t, LINKINFO*> bySerial;
  bySerial.reserve(doc.m_pNodeList.size());
  for (LINKINFO* node : doc.m_pNodeList) {
    bySerial.emplace(node->m_nSerial, node);  // the first in list order wins
    int fixed = FixedCategoryIndex(node->m_nParentSerial);
    // Only a category can stand for a fixed category; the last one marked wins.
    if (fixed >= 0 && node->IsCategory()) *Steps::FixedSlot(doc, fixed) = node;
  }
  for (LINKINFO* node : doc.m_pNodeList) {
    node->m_pParent = nullptr;
    if (FixedCategoryIndex(node->m_nParentSerial) >= 0) continue;  // markers are roots
    // The field is signed in the file: a parent serial of 2^31 or more reads as negative.
    auto found = bySerial.find(static_cast<std::uint32_t>(node->m_nParentSerial));
    if (found != bySerial.end()) node->m_pParent = found->second;
  }
  for (int i = 0; i < kFixedCategoryCount; ++i)
    if (LINKINFO* fixed = *Steps::FixedSlot(doc, i)) fixed->m_pParent = nullptr;
  doc.SerialsChanged();
  Steps::BreakParentLoops(doc);
  Steps::CreateMissingFixed(doc, linkFlag);
  MakeParentsNameable(doc);
}

}  // namespace vesk
