#include "document/node_store.h"

#include <algorithm>
#include <memory>

namespace vesk {
namespace {

// Small documents stay small; large ones get few chunks to search.
constexpr std::size_t kFirstChunk = 32;
constexpr std::size_t kLargestChunk = 4096;

std::uintptr_t Address(const LINKINFO* p) { return reinterpret_cast<std::uintptr_t>(p); }

}  // namespace

CNodeStore::~CNodeStore() { Clear(); }

LINKINFO* CNodeStore::New(int kind, int flags) {
  std::size_t slot;
  if (!m_freeSlots.empty()) {
    slot = m_freeSlots.back();
    m_freeSlots.pop_back();
  } else {
    if (m_fresh == 0) {
      const std::size_t count =
          m_chunks.empty() ? kFirstChunk : std::min(m_chunks.back().count * 2, kLargestChunk);
      LINKINFO* base = std::allocator<LINKINFO>{}.allocate(count);
      m_chunks.push_back({base, count, m_state.size()});
      auto at = std::upper_bound(
          m_byAddress.begin(), m_byAddress.end(), Address(base),
          [&](std::uintptr_t a, std::size_t i) { return a < Address(m_chunks[i].base); });
      m_byAddress.insert(at, m_chunks.size() - 1);
      m_state.resize(m_state.size() + count, kFree);
      m_generation.resize(m_state.size(), 0);
      m_fresh = count;
    }
    slot = m_state.size() - m_fresh--;
  }
  const Chunk* chunk = ChunkOfSlot(slot);
  LINKINFO* node = std::construct_at(chunk->base + (slot - chunk->firstSlot), kind, flags);
  m_state[slot] = kHeld;
  m_generation[slot] = m_nextGeneration++;
  if (m_nextGeneration == 0) m_nextGeneration = 1;
  ++m_size;
  return node;
}

bool CNodeStore::Free(const LINKINFO* node) {
  const std::size_t slot = SlotOf(node);
  if (slot == npos) return false;
  const Chunk* chunk = ChunkOfSlot(slot);
  std::destroy_at(chunk->base + (slot - chunk->firstSlot));
  m_state[slot] = kFree;
  m_generation[slot] = 0;
  m_freeSlots.push_back(static_cast<std::uint32_t>(slot));
  --m_size;
  return true;
}

void CNodeStore::Clear() {
  for (const Chunk& chunk : m_chunks) {
    for (std::size_t i = 0; i < chunk.count; ++i) {
      if (m_state[chunk.firstSlot + i] != kFree) std::destroy_at(chunk.base + i);
    }
    std::allocator<LINKINFO>{}.deallocate(chunk.base, chunk.count);
  }
  m_chunks.clear();
  m_byAddress.clear();
  m_lastChunk = 0;
  m_state.clear();
  m_generation.clear();
  m_freeSlots.clear();
  m_fresh = 0;
  m_size = 0;
}

bool CNodeStore::IsListed(const LINKINFO* node) const {
  const std::size_t slot = SlotOf(node);
  return slot != npos && m_state[slot] == kListed;
}

void CNodeStore::SetListed(const LINKINFO* node, bool listed) {
  const std::size_t slot = SlotOf(node);
  if (slot != npos) m_state[slot] = listed ? kListed : kHeld;
}

std::size_t CNodeStore::SlotOf(const LINKINFO* node) const {
  if (!node || m_chunks.empty()) return npos;
  // Only the pointer's value is used: it is compared with the chunks' address ranges.
  const std::uintptr_t a = Address(node);
  auto inside = [&](std::size_t index) {
    const Chunk& c = m_chunks[index];
    return a >= Address(c.base) && a - Address(c.base) < c.count * sizeof(LINKINFO);
  };
  if (!inside(m_lastChunk)) {
    auto it = std::upper_bound(
        m_byAddress.begin(), m_byAddress.end(), a,
        [&](std::uintptr_t value, std::size_t i) { return value < Address(m_chunks[i].base); });
    if (it == m_byAddress.begin() || !inside(*std::prev(it))) return npos;
    m_lastChunk = *std::prev(it);
  }
  const Chunk& chunk = m_chunks[m_lastChunk];
  const std::uintptr_t offset = a - Address(chunk.base);
  if (offset % sizeof(LINKINFO) != 0) return npos;  // points into a node, not at one
  const std::size_t slot = chunk.firstSlot + offset / sizeof(LINKINFO);
  return m_state[slot] == kFree ? npos : slot;
}

NodeId CNodeStore::IdOf(const LINKINFO* node) const {
  const std::size_t slot = SlotOf(node);
  if (slot == npos) return {};
  return {static_cast<std::uint32_t>(slot), m_generation[slot]};
}

LINKINFO* CNodeStore::Find(NodeId id) const {
  if (id.generation == 0 || id.slot >= m_state.size()) return nullptr;
  if (m_state[id.slot] == kFree || m_generation[id.slot] != id.generation) return nullptr;
  const Chunk* chunk = ChunkOfSlot(id.slot);
  return chunk->base + (id.slot - chunk->firstSlot);
}

const CNodeStore::Chunk* CNodeStore::ChunkOfSlot(std::size_t slot) const {
  const Chunk& last = m_chunks[m_lastChunk];
  if (slot >= last.firstSlot && slot < last.firstSlot + last.count) return &last;
  auto it = std::upper_bound(m_chunks.begin(), m_chunks.end(), slot,
                             [](std::size_t s, const Chunk& c) { return s < c.firstSlot; });
  return &*std::prev(it);
}

}  // namespace vesk
