// A full disk imitated by the process's file-size limit: write(2) then fails part way as on a
// full disk (SIGXFSZ ignored), until the limit is restored at the end of the scope.
#pragma once

#ifdef _WIN32
namespace vesk::test {
// Windows has no per-process file-size limit: never set; the tests using it are skipped there.
class CFileSizeLimit {
 public:
  explicit CFileSizeLimit(unsigned long long) {}
  bool IsSet() const { return false; }
  void Restore() {}
};
}  // namespace vesk::test
#else

#include <signal.h>
#include <sys/resource.h>

#include <csignal>

namespace vesk::test {

class CFileSizeLimit {
 public:
  explicit CFileSizeLimit(rlim_t bytes) {
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit small = m_old;
    small.rlim_cur = bytes;
    m_set = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~CFileSizeLimit() { Restore(); }
  CFileSizeLimit(const CFileSizeLimit&) = delete;
  CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

  // False when the limit could not be set.
  bool IsSet() const { return m_set; }
  void Restore() {
    if (m_restored) return;
    m_restored = true;
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_old{};
  void (*m_oldHandler)(int) = nullptr;
  bool m_set = false;
  bool m_restored = false;
};

}  // namespace vesk::test
#endif
