#include "publish/page_memo.h"

#include <functional>

#include "platform/read_only_file.h"

namespace vesk {
namespace {

// The splitmix64 finaliser: every input bit reaches every output bit.
std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  x ^= x >> 31;
  return x;
}

// Reads exactly size bytes of a regular file into buffer; false when it holds another count.
bool ReadExactly(const std::string& path, std::uint64_t size, std::string& buffer) {
  platform::CReadOnlyFile file;
  unsigned long long actual = 0;
  if (!file.Open(path) || !file.Size(actual) || actual != size) return false;
  buffer.resize(static_cast<std::size_t>(size));
  std::size_t done = 0;
  while (done < buffer.size()) {
    const long n = file.Read(buffer.data() + done, buffer.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  // A file that grew while it was read is not the one remembered.
  char extra;
  return file.Read(&extra, 1) == 0;
}

}  // namespace

CInputHash& CInputHash::Add(std::uint64_t value) {
  m_value = Mix(m_value ^ Mix(value + 0x9e3779b97f4a7c15ULL));
  return *this;
}

CInputHash& CInputHash::Add(std::string_view text) {
  // The length first, so that "ab" + "c" and "a" + "bc" differ.
  Add(static_cast<std::uint64_t>(text.size()));
  return Add(static_cast<std::uint64_t>(std::hash<std::string_view>{}(text)));
}

CPageMemo& CPageMemo::OfProcess() {
  static CPageMemo memo;
  return memo;
}

bool CPageMemo::Unchanged(const std::string& target, std::uint64_t inputs,
                          std::string& buffer) const {
  Entry entry;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_entries.find(target);
    if (it == m_entries.end() || it->second.inputs != inputs) return false;
    entry = it->second;
  }
  return ReadExactly(target, entry.size, buffer) && CInputHash().Add(buffer).Value() == entry.bytes;
}

void CPageMemo::Remember(const std::string& target, std::uint64_t inputs, std::string_view disk) {
  const Entry entry{inputs, disk.size(), CInputHash().Add(disk).Value()};
  std::lock_guard<std::mutex> lock(m_mutex);
  m_entries[target] = entry;
}

void CPageMemo::Forget(const std::string& target) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_entries.erase(target);
}

}  // namespace vesk
