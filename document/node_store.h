// CNodeStore: the one owner of a document's node memory; NodeId: a node handle that outlives it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/link_info.h"

namespace vesk {

// Names one node of one store. Unlike a pointer it cannot come to name another node: once the
// node is freed the id resolves to null, also after its memory serves a new node.
struct NodeId {
  std::uint32_t slot = 0;
  std::uint32_t generation = 0;  // 0: no node
  bool operator==(const NodeId&) const = default;
};

// Owns every node and undo record of a document. Nodes sit in slots of chunks that never move,
// so a pointer stays valid until its node is freed here and nowhere else. Whether a pointer
// names a node of the store is answered from the pointer's value alone, without reading through
// it, so a stale pointer can be asked about safely.
class CNodeStore {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  CNodeStore() = default;
  ~CNodeStore();
  CNodeStore(const CNodeStore&) = delete;
  CNodeStore& operator=(const CNodeStore&) = delete;

  // A new node constructed with kind and flags, held until freed.
  LINKINFO* New(int kind, int flags);
  // Frees a held node; false, freeing nothing, for any other pointer.
  bool Free(const LINKINFO* node);
  // Frees every node and gives the memory back.
  void Clear();

  bool Holds(const LINKINFO* node) const { return SlotOf(node) != npos; }
  std::size_t Size() const { return m_size; }

  // Whether a held node stands in the document's node list (false for any other pointer).
  bool IsListed(const LINKINFO* node) const;
  void SetListed(const LINKINFO* node, bool listed);

  // The slot of a held node, below SlotCount(), or npos: an index for per-node scratch arrays.
  std::size_t SlotOf(const LINKINFO* node) const;
  std::size_t SlotCount() const { return m_state.size(); }

  NodeId IdOf(const LINKINFO* node) const;
  // The node an id names while the store holds it, else null.
  LINKINFO* Find(NodeId id) const;

 private:
  enum : std::uint8_t { kFree = 0, kHeld = 1, kListed = 2 };
  struct Chunk {
    LINKINFO* base;
    std::size_t count;
    std::size_t firstSlot;
  };
  const Chunk* ChunkOfSlot(std::size_t slot) const;

  std::vector<Chunk> m_chunks;              // in slot order
  std::vector<std::size_t> m_byAddress;     // chunk indices by base address
  mutable std::size_t m_lastChunk = 0;      // the chunk of the last lookup: walks stay near
  std::vector<std::uint8_t> m_state;        // per slot
  std::vector<std::uint32_t> m_generation;  // per slot: the generation of its node
  std::vector<std::uint32_t> m_freeSlots;   // freed slots, reused last-freed first
  std::size_t m_fresh = 0;                  // slots never used so far, at the end
  std::size_t m_size = 0;
  std::uint32_t m_nextGeneration = 1;  // never reset, so no id survives Clear
};

}  // namespace vesk
