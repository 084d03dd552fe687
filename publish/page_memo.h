// CPageMemo: what the output pages of this process were last made from, so that a re-run can
// leave a page alone without making it again; CInputHash: the digest of those inputs.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vesk {

// An order-sensitive 64-bit digest of the values a page is made from. Kept in memory only, for
// this process, so it need not be stable between builds.
class CInputHash {
 public:
  CInputHash& Add(std::string_view text);
  CInputHash& Add(std::uint64_t value);
  std::uint64_t Value() const { return m_value; }

 private:
  std::uint64_t m_value = 0x6a09e667f3bcc908ULL;
};

// Pages this process wrote or found already right: the digest of each page's inputs and of the
// bytes it put on disk. A page counts as unchanged only when its inputs are the same and the file
// still holds those bytes, so a page anyone edited, replaced or removed since is made again.
// Reading a file back and hashing it costs a small part of making the page.
class CPageMemo {
 public:
  // The one memo of the process, shared by every output run.
  static CPageMemo& OfProcess();

  // target still holds the page last made from inputs; buffer is scratch space for the read.
  bool Unchanged(const std::string& target, std::uint64_t inputs, std::string& buffer) const;
  // target now holds disk (just written or found equal), made from inputs.
  void Remember(const std::string& target, std::uint64_t inputs, std::string_view disk);
  void Forget(const std::string& target);

 private:
  struct Entry {
    std::uint64_t inputs = 0;
    std::uint64_t size = 0;
    std::uint64_t bytes = 0;  // the digest of the file's bytes
  };
  mutable std::mutex m_mutex;  // output runs of tests and of the command line may overlap
  std::unordered_map<std::string, Entry> m_entries;
};

}  // namespace vesk
