#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_removal.h"

namespace vesk::platform {

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

bool RemoveEmptyFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const auto slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !CreateFolders(path.substr(0, slash)))
    return false;
  return ::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace vesk::platform
