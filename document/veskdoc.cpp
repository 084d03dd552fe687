#include "document/veskdoc.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <ctime>
#include <map>
#include <tuple>
#include <unordered_set>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {

namespace {

// Local midnight of a date with daylight saving time taken as not in effect.
std::int32_t LocalMidnight(int year, int month, int day) {
  std::tm t{};
  long long y = static_cast<long long>(year) - 1900;
  t.tm_year = static_cast<int>(std::clamp<long long>(y, -2000000, 2000000));
  t.tm_mon = std::clamp(month, -100000, 100000) - 1;
  t.tm_mday = std::clamp(day, -3000000, 3000000);
  t.tm_isdst = 0;
  return static_cast<std::int32_t>(std::mktime(&t));
}

}  // namespace

CVeskDoc::CVeskDoc(CVeskSettings& settings, IUserInterface& ui)
    : m_pFileInfo(std::make_unique<FILEINFO>()), m_settings(settings), m_ui(ui) {}

// The store frees every node and record.
CVeskDoc::~CVeskDoc() = default;

// --- framework part ---

void CVeskDoc::AddView(IDocView* view) {
  if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
    m_views.push_back(view);
}

void CVeskDoc::RemoveView(IDocView* view) {
  m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CVeskDoc::UpdateAllViews(ViewHint hint, LINKINFO* node) {
  ++m_nRevision;
  // A view may remove itself while being told.
  std::vector<IDocView*> views = m_views;
  for (IDocView* view : views) {
    if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
      view->OnUpdate(hint, node);
  }
}

void CVeskDoc::SetPathName(const std::string& path) {
  m_strPathName = path;
  std::size_t slash = path.find_last_of('/');
  m_strTitle = slash == std::string::npos ? path : path.substr(slash + 1);
}

// The title is a file name in the file system's bytes; the caption shows it in Shift_JIS.
std::string CVeskDoc::GetCaption() const { return ResFormat(kIdsCaption, ToCp932(m_strTitle)); }

// --- new document and reset ---

bool CVeskDoc::OnNewDocument() {
  m_strPathName.clear();
  m_strSavedPath.clear();
  m_confirmedFolders.clear();
  m_strTitle = "Vesk";
  Reset();
  LINKINFO** fixed[kFixedCategoryCount] = {&m_pTopCategory, &m_pWorkBox, &m_pTrash};
  for (int i = 0; i < kFixedCategoryCount; ++i) {
    LINKINFO* node = CreateNode(NodeKind::Category);
    if (!node) return false;
    node->m_nParentSerial = FixedCategoryMarker(i);
    node->m_strTitle = ResString(FixedCategoryTitleId(i));
    *fixed[i] = node;
  }
  m_nLoadedVersion = 300;
  SetModifiedFlag(false);
  return true;
}

void CVeskDoc::Reset() {
  ++m_nRevision;
  m_genreSource = GenreSource::Settings;
  m_pFileInfo = std::make_unique<FILEINFO>();
  m_pUndoList.clear();
  m_pDiscardList.clear();
  m_pNodeList.clear();
  // Nodes, undo records and emptied nodes all go at once; no pointer below survives it.
  m_store.Clear();
  ClearUndo();
  m_posFind = nullptr;
  m_serialIndex.clear();
  m_bSerialIndexValid = false;
  m_nNextSerial = 0;
  m_pTopCategory = m_pWorkBox = m_pTrash = m_pCurrent = nullptr;
  m_strGenreList = m_settings.GetGenreList();
}

// --- node list primitives ---

void CVeskDoc::AssertHeld([[maybe_unused]] const LINKINFO* node) const {
  assert((!node || m_store.Holds(node)) && "node not held by this document");
}

void CVeskDoc::SetCurrent(LINKINFO* category) {
  AssertHeld(category);
  if (!category || (m_store.Holds(category) && category->IsCategory())) m_pCurrent = category;
}

LINKINFO* CVeskDoc::AppendNewNode(NodeKind kind, int flags) {
  LINKINFO* node = m_store.New(static_cast<int>(kind), flags);
  InsertNode(node, nullptr);
  return node;
}

void CVeskDoc::InsertNode(LINKINFO* node, LINKINFO* ref) {
  ++m_nRevision;
  AssertHeld(node);
  AssertHeld(ref);
  // A node the document does not own could never be freed by it.
  if (!m_store.Holds(node) || Contains(node)) return;
  NodePos where = Contains(ref) ? ref->m_posSelf : m_pNodeList.end();
  node->m_posSelf = m_pNodeList.insert(where, node);
  m_store.SetListed(node, true);
  if (where == m_pNodeList.end())
    IndexAppended(node);
  else
    IndexInserted(node);
}

void CVeskDoc::InsertNodeAtHead(LINKINFO* node) {
  ++m_nRevision;
  AssertHeld(node);
  if (!m_store.Holds(node) || Contains(node)) return;
  node->m_posSelf = m_pNodeList.insert(m_pNodeList.begin(), node);
  m_store.SetListed(node, true);
  IndexInserted(node);
}

void CVeskDoc::RemoveNode(LINKINFO* node) {
  ++m_nRevision;
  AssertHeld(node);
  if (!Contains(node)) return;
  IndexRemoved(node);
  m_pNodeList.erase(node->m_posSelf);
  node->m_posSelf = NodePos{};
  m_store.SetListed(node, false);
}

void CVeskDoc::MoveNode(LINKINFO* node, LINKINFO* ref) {
  ++m_nRevision;
  AssertHeld(node);
  AssertHeld(ref);
  if (!Contains(node) || node == ref) return;
  NodePos where = Contains(ref) ? ref->m_posSelf : m_pNodeList.end();
  // splice keeps the node's position valid.
  m_pNodeList.splice(where, m_pNodeList, node->m_posSelf);
  if (m_bSerialDuplicates) m_bSerialIndexValid = false;
}

void CVeskDoc::FreeNode(LINKINFO* node) {
  AssertHeld(node);
  if (!m_store.Holds(node)) return;
  bool liveCategory = node->m_pSelf == node && node->IsCategory();
  RemoveNode(node);
  if (m_posFind == node) m_posFind = nullptr;
  if (m_pCurrent == node) m_pCurrent = nullptr;
  if (liveCategory) {
    for (LINKINFO* n : m_pNodeList)
      if (n->m_pParent == node) n->m_pParent = nullptr;
  }
  m_store.Free(node);
}

void CVeskDoc::FreeNodes(NodeList& list) {
  NodeList records;
  records.swap(list);
  std::unordered_set<LINKINFO*> categories;
  std::vector<LINKINFO*> freed;
  freed.reserve(records.size());
  for (LINKINFO* node : records) {
    // A node back in the node list is not the record's to free.
    if (!m_store.Holds(node) || Contains(node)) continue;
    if (m_posFind == node) m_posFind = nullptr;
    if (m_pCurrent == node) m_pCurrent = nullptr;
    if (node->m_pSelf == node && node->IsCategory()) categories.insert(node);
    freed.push_back(node);
  }
  if (!categories.empty()) {
    for (LINKINFO* n : m_pNodeList)
      if (n->m_pParent && categories.count(n->m_pParent)) n->m_pParent = nullptr;
  }
  // The store frees a node once; a record listed twice is skipped the second time.
  for (LINKINFO* node : freed) m_store.Free(node);
}

LINKINFO* CVeskDoc::NextNode(const LINKINFO* node) const {
  AssertHeld(node);
  if (!Contains(node)) return nullptr;
  auto it = std::next(NodeList::const_iterator(node->m_posSelf));
  return it == m_pNodeList.end() ? nullptr : *it;
}

LINKINFO* CVeskDoc::PrevNode(const LINKINFO* node) const {
  AssertHeld(node);
  if (!Contains(node)) return nullptr;
  NodeList::const_iterator it(node->m_posSelf);
  return it == m_pNodeList.begin() ? nullptr : *std::prev(it);
}

// --- serial index ---

void CVeskDoc::IndexAppended(LINKINFO* node) {
  if (!m_bSerialIndexValid) return;
  // An earlier node with the same serial stays the one found.
  if (!m_serialIndex.emplace(node->m_nSerial, node).second) m_bSerialDuplicates = true;
}

void CVeskDoc::IndexInserted(LINKINFO* node) {
  if (!m_bSerialIndexValid) return;
  if (!m_serialIndex.emplace(node->m_nSerial, node).second) m_bSerialIndexValid = false;
}

void CVeskDoc::IndexRemoved(LINKINFO* node) {
  if (!m_bSerialIndexValid) return;
  auto it = m_serialIndex.find(node->m_nSerial);
  if (it != m_serialIndex.end() && it->second == node && !m_bSerialDuplicates) {
    m_serialIndex.erase(it);
  } else if (it == m_serialIndex.end() || it->second != node || m_bSerialDuplicates) {
    // Either another node shares the serial or the node's serial changed since it was indexed.
    m_bSerialIndexValid = false;
  }
}

void CVeskDoc::RebuildSerialIndex() const {
  m_serialIndex.clear();
  m_serialIndex.reserve(m_pNodeList.size());
  m_bSerialDuplicates = false;
  for (LINKINFO* node : m_pNodeList)
    if (!m_serialIndex.emplace(node->m_nSerial, node).second) m_bSerialDuplicates = true;
  m_bSerialIndexValid = true;
}

LINKINFO* CVeskDoc::FindBySerial(std::uint32_t serial) const {
  if (!m_bSerialIndexValid) RebuildSerialIndex();
  auto it = m_serialIndex.find(serial);
  if (it != m_serialIndex.end() && Contains(it->second) && it->second->m_nSerial == serial)
    return it->second;
  // A serial written directly since the index was built: look the slow way.
  for (LINKINFO* node : m_pNodeList) {
    if (node->m_nSerial == serial) {
      m_bSerialIndexValid = false;
      return node;
    }
  }
  if (it != m_serialIndex.end()) m_bSerialIndexValid = false;
  return nullptr;
}

// --- node store ---

LINKINFO* CVeskDoc::CreateNode(NodeKind kind) {
  if (m_pNodeList.size() >= kMaxNodes) {
    m_ui.MessageBox(ResString(kIdsTooManyNodes), MbButtons::Ok, MbIcon::None);
    return nullptr;
  }
  long serial = AllocSerial();
  if (serial < 0) return nullptr;
  LINKINFO* node = AppendNewNode(kind, m_settings.GetLinkFlag());
  node->m_nSerial = static_cast<std::uint32_t>(serial);
  node->m_pParent = m_pCurrent;
  return node;
}

void CVeskDoc::DestroyNode(LINKINFO* node) {
  AssertHeld(node);
  if (!m_store.Holds(node)) return;
  FreeNode(node);
  if (m_nNextSerial > 0) --m_nNextSerial;
}

long CVeskDoc::AllocSerial() {
  if (m_nNextSerial < kSerialLimit) return static_cast<long>(m_nNextSerial++);
  m_ui.MessageBox(ResString(kIdsRenumberNeeded), MbButtons::Ok, MbIcon::None);
  return -1;
}

bool CVeskDoc::CheckSerials() {
  std::vector<bool> used(kSerialLimit, false);
  std::uint32_t largest = 0;
  bool any = false;
  for (const LINKINFO* node : m_pNodeList) {
    std::uint32_t s = node->m_nSerial;
    if (s >= kSerialLimit || used[s]) return false;
    used[s] = true;
    largest = any ? std::max(largest, s) : s;
    any = true;
  }
  if (any && m_nNextSerial <= largest) m_nNextSerial = largest + 1;
  return true;
}

void CVeskDoc::Renumber() {
  ClearUndo();
  m_nNextSerial = 0;
  for (LINKINFO* node : m_pNodeList) node->m_nSerial = m_nNextSerial++;
  m_bSerialIndexValid = false;
  SetModifiedFlag(true);
}

void CVeskDoc::OnRenumber() {
  if (m_ui.MessageBox(ResString(kIdsRenumberWarning), MbButtons::OkCancel, MbIcon::Information) !=
      MbResult::Ok)
    return;
  Renumber();
}

LINKINFO* CVeskDoc::FindFirstChild(const LINKINFO* parent, const LINKINFO* start) const {
  AssertHeld(start);
  NodeList::const_iterator it = m_pNodeList.begin();
  if (start) {
    if (!Contains(start)) return nullptr;
    it = start->m_posSelf;
  }
  for (; it != m_pNodeList.end(); ++it)
    if ((*it)->m_pParent == parent) return *it;
  return nullptr;
}

bool CVeskDoc::TrashHasChildren() const {
  if (m_nTrashAnswerRevision != m_nRevision) {
    m_bTrashHasChildren = m_pTrash != nullptr && FindFirstChild(m_pTrash) != nullptr;
    m_nTrashAnswerRevision = m_nRevision;
  }
  return m_bTrashHasChildren;
}

bool CVeskDoc::IsFixedCategory(const LINKINFO* node) const {
  return node != nullptr && (node == m_pTopCategory || node == m_pWorkBox || node == m_pTrash);
}

bool CVeskDoc::Contains(const LINKINFO* node) const {
  // The store answers from the pointer's value, so a stale or foreign pointer is safe to ask.
  return m_store.IsListed(node);
}

void CVeskDoc::SelectCategory(LINKINFO* node, bool fromTree) {
  AssertHeld(node);
  if (node == m_pCurrent) return;
  if (!fromTree) {
    UpdateAllViews(kHintSelectCategory, node);
    // Without a tree (or with one that has no item for it) the model still moves on.
    if (node == m_pCurrent) return;
  }
  if (node && node->IsCategory() && Contains(node)) {
    m_pCurrent = node;
    ShowCurrentCategory();
  }
}

void CVeskDoc::ShowCurrentCategory() {
  if (!m_pCurrent) return;
  LINKINFO* current = m_pCurrent;
  UpdateAllViews(kHintShowCategory, current);
  for (LINKINFO* node : m_pNodeList) {
    if (node->m_pParent != current || node->IsCategory()) continue;
    UpdateAllViews(node->m_nOrder != 0 ? kHintAddLink : kHintAddSelectLink, node);
  }
}

bool CVeskDoc::IsInTrash() const {
  if (!m_pCurrent) return false;
  const LINKINFO* node = m_pCurrent;
  // Parent chains come from files and may loop; no chain is longer than the list.
  std::size_t steps = m_pNodeList.size() + 1;
  while (node && node != m_pTopCategory && node != m_pWorkBox && node != m_pTrash && steps--)
    node = node->m_pParent;
  return node != nullptr && node == m_pTrash;
}

void CVeskDoc::ComputeUpdateTimes(LINKINFO* category) {
  AssertHeld(category);
  if (!category) return;
  // Children in list order, gathered once so the whole subtree is linear in the list.
  std::unordered_map<const LINKINFO*, std::vector<LINKINFO*>> children;
  for (LINKINFO* node : m_pNodeList)
    if (node->m_pParent) children[node->m_pParent].push_back(node);
  std::map<std::tuple<int, int, int>, std::int32_t> midnights;
  auto midnight = [&](const LINKINFO* link) {
    auto key = std::make_tuple(link->m_nYear, link->m_nMonth, link->m_nDay);
    auto it = midnights.find(key);
    if (it == midnights.end())
      it = midnights.emplace(key, LocalMidnight(link->m_nYear, link->m_nMonth, link->m_nDay)).first;
    return it->second;
  };

  // Depth-first without recursion: deep trees must not exhaust the stack.
  struct Frame {
    LINKINFO* category;
    std::size_t next;
  };
  std::unordered_set<const LINKINFO*> visited{category};
  std::vector<Frame> stack{{category, 0}};
  category->m_tUpdate = 0;
  while (!stack.empty()) {
    Frame& top = stack.back();
    auto found = children.find(top.category);
    if (found == children.end() || top.next >= found->second.size()) {
      LINKINFO* done = top.category;
      stack.pop_back();
      if (!stack.empty() && done->m_tUpdate > stack.back().category->m_tUpdate)
        stack.back().category->m_tUpdate = done->m_tUpdate;
      continue;
    }
    LINKINFO* child = found->second[top.next++];
    if (child->IsCategory()) {
      if (!visited.insert(child).second) continue;
      child->m_tUpdate = 0;
      stack.push_back({child, 0});
    } else {
      child->m_tUpdate = midnight(child);
      if (child->m_tUpdate > top.category->m_tUpdate) top.category->m_tUpdate = child->m_tUpdate;
    }
  }
}

std::string CVeskDoc::StatusCounts() {
  if (m_nCountsRevision != m_nRevision || m_strCounts.empty()) {
    CountTopCategory();
    char text[64];
    std::snprintf(text, sizeof text, "%04lu / %04lu", m_nCategoryCount, m_nLinkCount);
    m_strCounts = text;
    m_nCountsRevision = m_nRevision;
  }
  return m_strCounts;
}

void CVeskDoc::CountTopCategory() {
  m_nCategoryCount = 0;
  m_nLinkCount = 0;
  if (!m_pTopCategory) return;
  m_nCategoryCount = 1;
  // Whether a category lies in the Top Category subtree, settled once per category: a node
  // counts when its chain of listed parent categories reaches Top Category. A chain that comes
  // back on itself is marked "outside" while it is walked, so a cycle ends the walk.
  std::unordered_map<const LINKINFO*, bool> inTop{{m_pTopCategory, true}};
  std::vector<const LINKINFO*> path;
  auto reachesTop = [&](const LINKINFO* category) {
    path.clear();
    bool result = false;
    for (const LINKINFO* c = category; c != nullptr; c = c->m_pParent) {
      auto known = inTop.find(c);
      if (known != inTop.end()) {
        result = known->second;
        break;
      }
      if (!c->IsCategory() || !Contains(c)) break;
      inTop.emplace(c, false);
      path.push_back(c);
    }
    for (const LINKINFO* c : path) inTop[c] = result;
    return result;
  };
  for (const LINKINFO* node : m_pNodeList) {
    if (node == m_pTopCategory || !node->m_pParent || !node->m_pParent->IsCategory()) continue;
    if (!reachesTop(node->m_pParent)) continue;
    if (node->IsCategory()) {
      ++m_nCategoryCount;
    } else {
      ++m_nLinkCount;
    }
  }
}

// --- undo history ---

void CVeskDoc::ClearUndo() {
  FreeNodes(m_pUndoList);
  FreeNodes(m_pDiscardList);
  m_nNextUndoGroup = 0;
  m_bUndoOverflow = 0;
  m_bSettingsChanged = 0;
}

}  // namespace vesk
