#include "app/capture/mozlz4.h"

#include <lz4.h>

#include <cstdint>
#include <cstring>

#include "app/capture/session_file.h"

namespace vesk {

namespace {
constexpr char kMagic[8] = {'m', 'o', 'z', 'L', 'z', '4', '0', '\0'};
constexpr std::size_t kHeader = 12;
}  // namespace

bool DecodeMozLz4(const std::string& bytes, std::string& out, std::size_t limit) {
  out.clear();
  if (bytes.size() < kHeader || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + 8;
  const std::uint32_t size =
      static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
      static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  const std::size_t packed = bytes.size() - kHeader;
  // LZ4 expands at most 255 times; a declared size beyond that is a lie, whatever the limit.
  if (size > limit || size > static_cast<std::size_t>(LZ4_MAX_INPUT_SIZE) ||
      packed > static_cast<std::size_t>(LZ4_MAX_INPUT_SIZE) ||
      static_cast<std::uint64_t>(size) > static_cast<std::uint64_t>(packed) * 255 + 16) {
    return false;
  }
  if (size == 0) return packed == 0 || (packed == 1 && bytes[kHeader] == 0);
  out.resize(size);
  const int got = LZ4_decompress_safe(bytes.data() + kHeader, out.data(), static_cast<int>(packed),
                                      static_cast<int>(size));
  if (got < 0 || static_cast<std::uint32_t>(got) != size) {
    out.clear();
    out.shrink_to_fit();
    return false;
  }
  return true;
}

bool ReadMozLz4File(const std::string& path, std::string& out, std::size_t limit) {
  out.clear();
  std::string bytes;
  if (!ReadSessionFile(path, bytes, limit / 2)) return false;
  return DecodeMozLz4(bytes, out, limit);
}

}  // namespace vesk
