// Feeds arbitrary bytes to the shortcut-file reader, and checks that a URL written into the
// same file is read back exactly.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/file_path.h"

namespace {

std::string TempPath() {
  static std::string path = [] {
    std::string pattern = "/tmp/vesk-fuzz-url-XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd >= 0) ::close(fd);
    return pattern;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = TempPath();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  vesk::CFilePath file(path);
  std::string url = file.ReadIniValue("InternetShortcut", "URL");
  if (url.size() > 259 || url.find('\n') != std::string::npos) std::abort();

  const std::string written = "http://fuzz.example/\x95\x5C";
  if (!file.WriteIniValue("InternetShortcut", "URL", written)) std::abort();
  if (file.ReadIniValue("InternetShortcut", "URL") != written) std::abort();
  return 0;
}
