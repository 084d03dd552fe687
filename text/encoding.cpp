#include "text/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace vesk {
namespace {

// Converts with iconv; on an invalid or unconvertible sequence either stops (strict) or puts
// '?' for one input byte and goes on.
bool Convert(const char* to, const char* from, const std::string& in, std::string& out,
             bool strict) {
  out.clear();
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  bool ok = true;
  std::vector<char> buf(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buf.data();
    std::size_t dstLeft = buf.size();
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf.data(), static_cast<std::size_t>(dst - buf.data()));
    if (r != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    ok = false;
    if (strict) break;
    // EILSEQ or EINVAL: skip one byte of input and mark it.
    out.push_back('?');
    ++src;
    --srcLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

bool Cp932ToUtf8(const std::string& in, std::string& out) {
  return Convert("UTF-8", "CP932", in, out, true);
}

bool Utf8ToCp932(const std::string& in, std::string& out) {
  return Convert("CP932", "UTF-8", in, out, true);
}

std::string ToUtf8(const std::string& cp932) {
  std::string out;
  Convert("UTF-8", "CP932", cp932, out, false);
  return out;
}

std::string ToCp932(const std::string& utf8) {
  std::string out;
  Convert("CP932", "UTF-8", utf8, out, false);
  return out;
}

}  // namespace vesk
