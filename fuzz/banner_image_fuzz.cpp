// Feeds arbitrary bytes to the banner size reader under each of the three image names: the walk
// must end, stay inside the file, and a success must come with the type's result code.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "publish/banner_image.h"

namespace {

std::string TempFolder() {
  static std::string folder = [] {
    std::string pattern = "/tmp/vesk-fuzz-banner-XXXXXX";
    if (!::mkdtemp(pattern.data())) std::abort();
    return pattern;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const char* name : {"/b.gif", "/b.jpg", "/b.png"}) {
    const std::string path = TempFolder() + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
    vesk::CBannerImage image;
    if (!image.Open(path)) std::abort();
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const int result = image.ReadSize(width, height);
    const bool jpeg = name[3] == 'j';
    if (result != 0 && result != (jpeg ? 2 : 1)) std::abort();
    if (result > 0 && jpeg && (width > 0xFFFF || height > 0xFFFF)) std::abort();
    vesk::BannerTagResult tag = vesk::MakeBannerTag(path, TempFolder() + "/html");
    if (tag.ok != (result > 0)) std::abort();
  }
  return 0;
}
