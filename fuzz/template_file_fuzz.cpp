// Loads a template through the file system, as the HTML output does with the path a document
// names: the first byte chooses what stands at that path (a regular file holding the rest, a
// FIFO without a writer, a link to an endless device, a folder, a dangling link, an oversized
// sparse file). Loading must neither hang (libFuzzer's -timeout), nor grow without bound, nor
// take anything but a regular file of sensible size.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "publish/html_template.h"

namespace {

const std::string& Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/vesk-template-fuzz-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (!made) std::abort();
    return std::string(made);
  }();
  return folder;
}

// Puts the chosen kind of entry at path; false when the system refused (nothing to test).
bool Plant(const std::string& path, std::uint8_t kind, const std::string& text) {
  ::unlink(path.c_str());
  ::rmdir(path.c_str());
  switch (kind % 7) {
    case 0: {
      int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd < 0) return false;
      bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
      ::close(fd);
      return ok;
    }
    case 1:
      return ::mkfifo(path.c_str(), 0600) == 0;
    case 2:
      return ::symlink("/dev/zero", path.c_str()) == 0;
    case 3:
      return ::symlink("/dev/urandom", path.c_str()) == 0;
    case 4:
      return ::mkdir(path.c_str(), 0700) == 0;
    case 5:
      return ::symlink((path + ".missing").c_str(), path.c_str()) == 0;
    default: {
      int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd < 0) return false;
      bool ok = ::ftruncate(fd, static_cast<off_t>(vesk::kMaxTemplateBytes) + 1) == 0;
      ::close(fd);
      return ok;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string path = Folder() + "/template.html";
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (!Plant(path, data[0], text)) return 0;
  vesk::CHtmlTemplate tpl("html");
  int kind = tpl.LoadTemplate(path);
  // Only a regular file holding the text may load, and its page never exceeds the text by more
  // than the line ends the reader adds.
  if (data[0] % 7 != 0 && kind != vesk::kTemplateNone) std::abort();
  if (tpl.m_strPage.size() > 2 * text.size() + 2) std::abort();
  return 0;
}
