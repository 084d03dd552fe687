#include "publish/sqlite_wal.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vesk {
namespace {

constexpr std::size_t kWalHeader = 32;
constexpr std::size_t kFrameHeader = 24;
constexpr std::size_t kDbHeader = 100;

std::uint32_t Big32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

std::uint32_t Little32(const unsigned char* p) {
  return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) |
         std::uint32_t{p[0]};
}

// The log's running checksum over bytes (a multiple of 8), in the word order its magic names.
void Checksum(const unsigned char* data, std::size_t size, bool bigEndian, std::uint32_t& s1,
              std::uint32_t& s2) {
  for (std::size_t k = 0; k + 8 <= size; k += 8) {
    const std::uint32_t a = bigEndian ? Big32(data + k) : Little32(data + k);
    const std::uint32_t b = bigEndian ? Big32(data + k + 4) : Little32(data + k + 4);
    s1 += a + s2;
    s2 += b + s1;
  }
}

// The database's page size from its header (1 stands for 65536); 0 when invalid.
std::size_t DbPageSize(const std::string& db) {
  if (db.size() < kDbHeader) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(db.data());
  const std::size_t raw = (std::size_t{p[16]} << 8) | p[17];
  const std::size_t size = raw == 1 ? 65536 : raw;
  if (size < 512 || size > 65536 || (size & (size - 1)) != 0) return 0;
  return size;
}

}  // namespace

bool ApplySqliteWal(std::string& db, const std::string& wal) {
  if (wal.size() < kWalHeader) return false;
  const auto* w = reinterpret_cast<const unsigned char*>(wal.data());
  const std::uint32_t magic = Big32(w);
  if (magic != 0x377f0682u && magic != 0x377f0683u) return false;
  const bool bigEndian = (magic & 1u) != 0;
  const std::size_t pageSize = Big32(w + 8);
  if (pageSize == 0 || pageSize != DbPageSize(db)) return false;
  std::uint32_t s1 = 0, s2 = 0;
  Checksum(w, 24, bigEndian, s1, s2);
  if (s1 != Big32(w + 24) || s2 != Big32(w + 28)) return false;

  // First pass: the frames that recovery takes, up to the last commit among them.
  const std::size_t frameSize = kFrameHeader + pageSize;
  std::size_t lastCommitEnd = kWalHeader;  // offset after the last committed frame
  std::uint32_t committedPages = 0;
  for (std::size_t at = kWalHeader; at + frameSize <= wal.size(); at += frameSize) {
    const unsigned char* frame = w + at;
    if (std::memcmp(frame + 8, w + 16, 8) != 0) break;  // salts of an older log
    if (Big32(frame) == 0) break;
    Checksum(frame, 8, bigEndian, s1, s2);
    Checksum(frame + kFrameHeader, pageSize, bigEndian, s1, s2);
    if (s1 != Big32(frame + 16) || s2 != Big32(frame + 20)) break;
    if (const std::uint32_t pages = Big32(frame + 4); pages != 0) {
      committedPages = pages;
      lastCommitEnd = at + frameSize;
    }
  }
  if (committedPages == 0) return true;

  // Second pass: the pages, the later frame of a page winning, in a database of the committed
  // size (pages beyond it are cut off by that commit). A log cannot grow the database by more
  // than the pages it holds: a size beyond that is damage, and taking it could exhaust memory.
  const std::size_t frames = (lastCommitEnd - kWalHeader) / frameSize;
  const std::size_t newSize = std::size_t{committedPages} * pageSize;
  if (newSize > db.size() + frames * pageSize) return false;
  db.resize(newSize, '\0');
  for (std::size_t at = kWalHeader; at < lastCommitEnd; at += frameSize) {
    const std::size_t page = Big32(w + at);
    if (page > committedPages) continue;
    std::memcpy(db.data() + (page - 1) * pageSize, wal.data() + at + kFrameHeader, pageSize);
  }
  return true;
}

}  // namespace vesk
