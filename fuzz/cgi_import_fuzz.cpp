// libFuzzer target: a CGI category file of any content read into a fresh document.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "document/veskdoc.h"
#include "publish/cgi_data.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"

namespace {

// The input reaches the importer as a file, as it would from the Read Data File command.
int InputFile() {
  static int fd = memfd_create("vesk-cgi-fuzz", 0);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int fd = InputFile();
  if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
    return 0;
  }
  vesk::CMemorySettingsBackend backend;
  vesk::CVeskSettings settings(backend);
  vesk::CHeadlessUserInterface ui;
  vesk::CVeskDoc doc(settings, ui);
  doc.OnNewDocument();
  std::size_t before = doc.GetNodeList().size();
  vesk::ImportCgiFile(doc, "/proc/self/fd/" + std::to_string(fd));
  // Whatever was read must go again with one undo.
  doc.OnEditUndo();
  if (doc.GetNodeList().size() != before) __builtin_trap();
  return 0;
}
