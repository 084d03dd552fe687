#include "publish/banner_image.h"

#include <algorithm>
#include <string_view>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {
namespace {

enum class ImageType { None, Gif, Jpeg, Png };

// The type from the text after the full path's last '.', any letter case.
ImageType TypeOf(const std::string& path) {
  std::string::size_type dot = path.rfind('.');
  if (dot == std::string::npos) return ImageType::None;
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  if (ext == "gif") return ImageType::Gif;
  if (ext == "jpg") return ImageType::Jpeg;
  if (ext == "png") return ImageType::Png;
  return ImageType::None;
}

// A message whose "%s" is the file name, both in Shift_JIS.
std::string WithFileName(const char* utf8Format, const std::string& path) {
  std::string text = ToCp932(utf8Format);
  std::string::size_type at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, ToCp932(path));
  return text;
}

std::uint32_t Big16(const unsigned char* p) { return (std::uint32_t{p[0]} << 8) | p[1]; }
std::uint32_t Little16(const unsigned char* p) { return (std::uint32_t{p[1]} << 8) | p[0]; }
std::uint32_t Big32(const unsigned char* p) { return (Big16(p) << 16) | Big16(p + 2); }

bool IsStartOfFrame(unsigned char code) {
  return (code >= 0xC0 && code <= 0xC3) || (code >= 0xC9 && code <= 0xCB) ||
         (code >= 0xCD && code <= 0xCF);
}

constexpr const char* kNotFound = "%s ファイルが見つかりません。";
constexpr const char* kNotGif = "%s は、gifファイルと判別できませんでした。";
constexpr const char* kNotJpeg = "%s は、jpegファイルと判別できませんでした。";
constexpr const char* kNotPng = "%s は、pngファイルと判別できませんでした。";
constexpr const char* kNotImage = "%s は、gif/jpg/pngファイルと判別できませんでした。";
constexpr const char* kNoShiftJis = "%s のパスには、Shift_JISで表せない文字が有ります。";

}  // namespace

bool CBannerImage::Open(const std::string& path, std::string* message) {
  Close();
  if (!m_file.Open(path)) {
    if (message) *message = WithFileName(kNotFound, path);
    return false;
  }
  m_strPath = path;
  return true;
}

void CBannerImage::Close() {
  m_file.Close();
  m_strPath.clear();
}

std::string CBannerImage::NotRecognisedMessage() const {
  switch (TypeOf(m_strPath)) {
    case ImageType::Gif:
      return WithFileName(kNotGif, m_strPath);
    case ImageType::Jpeg:
      return WithFileName(kNotJpeg, m_strPath);
    case ImageType::Png:
      return WithFileName(kNotPng, m_strPath);
    case ImageType::None:
      break;
  }
  return WithFileName(kNotImage, m_strPath);
}

int CBannerImage::ReadExact(unsigned char* buffer, std::size_t size, std::string* message) {
  long got = m_file.Read(buffer, size);
  if (got < 0) {
    if (message) *message = NotRecognisedMessage();
    return -1;
  }
  return static_cast<std::size_t>(got) == size ? 1 : 0;
}

int CBannerImage::ReadSize(std::uint32_t& width, std::uint32_t& height, std::string* message) {
  if (!m_file.IsOpen()) return -1;
  switch (TypeOf(m_strPath)) {
    case ImageType::Gif:
      return ReadGif(width, height, message);
    case ImageType::Jpeg:
      return ReadJpeg(width, height, message);
    case ImageType::Png:
      return ReadPng(width, height, message);
    case ImageType::None:
      break;
  }
  return 0;
}

int CBannerImage::ReadGif(std::uint32_t& width, std::uint32_t& height, std::string* message) {
  unsigned char head[14];
  if (ReadExact(head, sizeof head, message) <= 0) return 0;
  if (head[0] != 'G' || head[1] != 'I' || head[2] != 'F') return 0;
  // The logical screen size; the version bytes are not looked at.
  width = Little16(head + 6);
  height = Little16(head + 8);
  return 1;
}

int CBannerImage::ReadPng(std::uint32_t& width, std::uint32_t& height, std::string* message) {
  unsigned char signature[8];
  if (ReadExact(signature, sizeof signature, message) <= 0) return 0;
  if (signature[0] != 0x89 || signature[1] != 'P' || signature[2] != 'N' || signature[3] != 'G')
    return 0;
  // The first chunk (IHDR in a valid file; its type is not checked): length, type, data, CRC.
  unsigned char chunk[25];
  if (ReadExact(chunk, sizeof chunk, message) <= 0) return 0;
  width = Big32(chunk + 8);
  height = Big32(chunk + 12);
  return 1;
}

int CBannerImage::ReadJpeg(std::uint32_t& width, std::uint32_t& height, std::string* message) {
  unsigned char start[3];
  if (ReadExact(start, sizeof start, message) <= 0) return 0;
  if (start[0] != 0xFF || start[1] != 0xD8 || start[2] != 0xFF) return 0;
  // Every pass moves forward by at least four bytes, so the walk ends at the end of the file; a
  // segment is skipped by moving the position, never by reading its declared length.
  for (;;) {
    unsigned char marker[3];  // code, length high, length low
    if (ReadExact(marker, sizeof marker, message) <= 0) return 0;
    const unsigned char code = marker[0];
    if (IsStartOfFrame(code)) {
      unsigned char frame[5];  // precision, height, width
      if (ReadExact(frame, sizeof frame, message) <= 0) return 0;
      height = Big16(frame + 1);
      width = Big16(frame + 3);
      return 2;
    }
    if (code != 0x01 && (code < 0xC0 || code > 0xFE)) return 0;
    // The length counts its own two bytes; less than that is no segment at all.
    const std::uint32_t length = Big16(marker + 1);
    if (length < 2) return 0;
    // The rest of the segment and the 0xFF that introduces the next marker.
    if (!m_file.Skip(length - 1)) {
      if (message) *message = NotRecognisedMessage();
      return 0;
    }
  }
}

std::string CBannerImage::RelativePath(const std::string& baseFolder) const {
  return BannerRelativePath(m_strPath, baseFolder);
}

std::string BannerRelativePath(const std::string& image, const std::string& base) {
  if (base.empty()) {
    std::string::size_type slash = image.rfind('/');
    return slash == std::string::npos ? image : image.substr(slash + 1);
  }
  std::string_view b = base;
  std::string_view p = image;
  // Drop the common leading folders. A last piece without '/' never counts as matched: a base
  // folder names a folder even without a trailing '/', and a file is not a folder.
  while (!b.empty()) {
    std::string_view::size_type bs = b.find('/');
    std::string_view::size_type ps = p.find('/');
    if (bs == std::string_view::npos || ps == std::string_view::npos ||
        b.substr(0, bs) != p.substr(0, ps))
      break;
    b.remove_prefix(bs + 1);
    p.remove_prefix(ps + 1);
  }
  std::string out;
  if (!b.empty()) {
    std::size_t ups = static_cast<std::size_t>(std::count(b.begin(), b.end(), '/'));
    if (b.back() != '/') ++ups;
    for (std::size_t i = 0; i < ups; ++i) out += "../";
  }
  out += p;
  return out;
}

std::string BannerTag(const std::string& src, std::uint32_t width, std::uint32_t height) {
  const std::string format = ResString(kIdsBannerTag);
  const std::string numbers[2] = {std::to_string(width), std::to_string(height)};
  std::string out;
  int nextNumber = 0;
  bool srcDone = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char kind = format[i + 1];
      if (kind == 's' && !srcDone) {
        out += src;
        srcDone = true;
        ++i;
        continue;
      }
      if (kind == 'd' && nextNumber < 2) {
        out += numbers[nextNumber++];
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

BannerTagResult MakeBannerTag(const std::string& imagePath, const std::string& baseFolder) {
  BannerTagResult r;
  CBannerImage image;
  if (!image.Open(imagePath, &r.message)) return r;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::string readError;
  if (image.ReadSize(width, height, &readError) <= 0) {
    r.quiet = readError.empty();
    r.message = r.quiet ? image.NotRecognisedMessage() : readError;
    return r;
  }
  std::string src;
  if (!Utf8ToCp932(image.RelativePath(baseFolder), src)) {
    r.message = WithFileName(kNoShiftJis, imagePath);
    return r;
  }
  r.ok = true;
  r.tag = BannerTag(src, width, height);
  return r;
}

}  // namespace vesk
