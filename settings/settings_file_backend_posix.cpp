#include "settings/settings_file_backend.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>

#include "platform/file_system.h"
#include "settings/settings_file_format.h"

namespace vesk::platform {

namespace {

// Far beyond any real settings file; a bigger one is treated as damaged rather than loaded.
constexpr std::size_t kMaxSettingsFileSize = 16 * 1024 * 1024;

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the folder and any missing parents.
bool MakeFolders(const std::string& folder) {
  if (GetPathKind(folder) == PathKind::Folder) return true;
  std::string parent = FolderOf(folder);
  if (parent != folder && !MakeFolders(parent)) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// Holds an exclusive flock on the lock file beside the settings file for its lifetime.
class CLockFile {
 public:
  explicit CLockFile(const std::string& path) {
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) return;
    int rc;
    do {
      rc = ::flock(m_fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
      ::close(m_fd);
      m_fd = -1;
    }
  }
  ~CLockFile() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
  }
  CLockFile(const CLockFile&) = delete;
  CLockFile& operator=(const CLockFile&) = delete;
  bool Held() const { return m_fd >= 0; }

 private:
  int m_fd = -1;
};

bool ReadAllFrom(int fd, std::string& out) {
  out.clear();
  char buf[65536];
  while (true) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(buf, static_cast<std::size_t>(n));
    if (out.size() > kMaxSettingsFileSize) return false;
  }
}

std::string TimeTag() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  ::localtime_r(&now, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
  return buf;
}

}  // namespace

std::string DefaultSettingsFilePath() {
  std::string base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') {
      base = home;
    } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
      base = pw->pw_dir;
    } else {
      base = "/tmp";
    }
    base += "/.config";
  }
  return base + "/vesk/settings.txt";
}

CSettingsFileBackend::CSettingsFileBackend(std::string filePath, WarningSink warn,
                                           std::string rootPath)
    : m_path(std::move(filePath)), m_warn(std::move(warn)), m_mem(std::move(rootPath)) {
  if (!m_warn) m_warn = [](const std::string& text) { std::cerr << "vesk: " << text << std::endl; };
}

void CSettingsFileBackend::Warn(const std::string& text) {
  if (m_warned) return;
  m_warned = true;
  m_warn(text);
}

void CSettingsFileBackend::Refresh(bool force) {
  // Non-blocking: a FIFO in the settings file's place must not hang the command (it is then
  // refused below as not a regular file).
  int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    int err = errno;
    FileStamp stamp;
    struct stat st;
    if (err != ENOENT && ::stat(m_path.c_str(), &st) == 0) {
      stamp = FileStamp{true, st.st_dev, st.st_ino, st.st_size,
                        st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
    }
    if (!force && m_loadedOnce && stamp == m_stamp) return;
    m_stamp = stamp;
    m_loadedOnce = true;
    m_mem.Tree().Clear();
    m_damaged = stamp.exists || err != ENOENT;
    if (m_damaged)
      Warn("cannot read the settings file " + m_path + " (" + std::strerror(err) +
           "); the defaults are used and changes cannot be saved.");
    return;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return;
  }
  FileStamp stamp{true, st.st_dev, st.st_ino, st.st_size,
                  st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
  if (!force && m_loadedOnce && stamp == m_stamp) {
    ::close(fd);
    return;
  }
  m_stamp = stamp;
  m_loadedOnce = true;
  std::string text;
  std::string problem;
  if (!S_ISREG(st.st_mode)) {
    problem = "it is not a regular file";
  } else if (!ReadAllFrom(fd, text)) {
    problem = text.size() > kMaxSettingsFileSize ? "it is too large" : std::strerror(errno);
  }
  ::close(fd);
  CSettingsTree tree;
  SettingsParseError error;
  if (problem.empty() && !ParseSettingsText(text, tree, &error))
    problem = "line " + std::to_string(error.line) + ": " + error.reason;
  if (!problem.empty()) {
    m_mem.Tree().Clear();
    m_damaged = true;
    Warn("the settings file " + m_path + " is damaged (" + problem +
         "); the defaults are used. It will be copied aside before the settings are next saved.");
    return;
  }
  m_mem.Tree() = std::move(tree);
  m_damaged = false;
}

bool CSettingsFileBackend::CopyAsideDamaged() {
  std::string bytes;
  if (!ReadWholeFile(m_path, bytes, kMaxSettingsFileSize * 4)) return false;
  std::string base = m_path + ".damaged-" + TimeTag();
  std::string target = base;
  for (int n = 2; GetPathKind(target) != PathKind::Missing; ++n)
    target = base + "-" + std::to_string(n);
  if (!ReplaceFileAtomically(target, bytes)) return false;
  m_damagedCopy = target;
  return true;
}

bool CSettingsFileBackend::SaveLocked() {
  if (m_damaged) {
    // Never replace what could not be read without keeping it.
    if (!CopyAsideDamaged()) return false;
  } else if (m_stamp.exists && !m_keptBackup) {
    // One copy of the file as it was before this process first changed it.
    std::string bytes;
    if (ReadWholeFile(m_path, bytes, kMaxSettingsFileSize) &&
        ReplaceFileAtomically(m_path + ".bak", bytes))
      m_keptBackup = true;
  }
  if (!ReplaceFileAtomically(m_path, FormatSettingsText(m_mem.Tree()))) return false;
  struct stat st;
  if (::stat(m_path.c_str(), &st) == 0)
    m_stamp = FileStamp{true, st.st_dev, st.st_ino, st.st_size,
                        st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
  else
    m_stamp = FileStamp{};
  m_damaged = false;
  return true;
}

bool CSettingsFileBackend::Modify(const std::function<bool(CMemorySettingsBackend&)>& apply) {
  if (m_readOnly) return false;
  if (!MakeFolders(FolderOf(m_path))) return false;
  CLockFile lock(m_path + ".lock");
  if (!lock.Held()) return false;
  // Another process may have written since we last looked: apply the change to its content.
  Refresh(true);
  if (!apply(m_mem)) return true;
  if (SaveLocked()) return true;
  Refresh(true);  // drop the change that did not reach the file
  return false;
}

bool CSettingsFileBackend::CreateKey(const std::string& keyPath) {
  Refresh(false);
  if (m_mem.KeyExists(keyPath)) return true;
  if (m_damaged || m_readOnly) {
    // Only a real change may replace a damaged file; reads keep working on the defaults.
    m_mem.ApplyCreateKey(keyPath);
    return true;
  }
  return Modify([&](CMemorySettingsBackend& m) { return m.ApplyCreateKey(keyPath); });
}

bool CSettingsFileBackend::KeyExists(const std::string& keyPath) {
  Refresh(false);
  return m_mem.KeyExists(keyPath);
}

std::optional<std::uint32_t> CSettingsFileBackend::ReadDword(const std::string& keyPath,
                                                             const std::string& name) {
  Refresh(false);
  return m_mem.ReadDword(keyPath, name);
}

std::optional<std::string> CSettingsFileBackend::ReadString(const std::string& keyPath,
                                                            const std::string& name) {
  Refresh(false);
  return m_mem.ReadString(keyPath, name);
}

bool CSettingsFileBackend::WriteDword(const std::string& keyPath, const std::string& name,
                                      std::uint32_t value) {
  return Modify([&](CMemorySettingsBackend& m) { return m.ApplyWrite(keyPath, name, value); });
}

bool CSettingsFileBackend::WriteString(const std::string& keyPath, const std::string& name,
                                       const std::string& value) {
  return Modify([&](CMemorySettingsBackend& m) { return m.ApplyWrite(keyPath, name, value); });
}

bool CSettingsFileBackend::DeleteValue(const std::string& keyPath, const std::string& name) {
  bool found = false;
  bool ok =
      Modify([&](CMemorySettingsBackend& m) { return found = m.ApplyDeleteValue(keyPath, name); });
  return ok && found;
}

bool CSettingsFileBackend::DeleteKey(const std::string& keyPath) {
  bool found = false;
  bool ok = Modify([&](CMemorySettingsBackend& m) { return found = m.ApplyDeleteKey(keyPath); });
  return ok && found;
}

std::vector<std::string> CSettingsFileBackend::EnumSubkeys(const std::string& keyPath) {
  Refresh(false);
  return m_mem.EnumSubkeys(keyPath);
}

}  // namespace vesk::platform

namespace vesk {

std::unique_ptr<ISettingsBackend> CreatePlatformSettingsBackend() {
  return std::make_unique<platform::CSettingsFileBackend>(platform::DefaultSettingsFilePath());
}

}  // namespace vesk
