// Width and height of a banner image from its file header, and the IMG tag for the banner field.
#pragma once

#include <cstdint>
#include <string>

#include "platform/read_only_file.h"

namespace vesk {

// Reads the size of one GIF, JPEG or PNG file; holds one open file or none.
class CBannerImage {
 public:
  // Opens path (file-system bytes) for reading. On failure *message (Shift_JIS) gets the
  // "file not found" text and no file is held.
  bool Open(const std::string& path, std::string* message = nullptr);
  // -1 when no file is open; 0 when the type is not read or the header is not recognised;
  // 1 for GIF and PNG, 2 for JPEG. *message is set only when reading the file failed.
  int ReadSize(std::uint32_t& width, std::uint32_t& height, std::string* message = nullptr);
  // The open file's path relative to baseFolder, as the tag's src (file-system bytes).
  std::string RelativePath(const std::string& baseFolder) const;
  // "%s is not recognised as a <type> file" for the open file's type (Shift_JIS).
  std::string NotRecognisedMessage() const;
  void Close();

 private:
  int ReadGif(std::uint32_t& width, std::uint32_t& height, std::string* message);
  int ReadPng(std::uint32_t& width, std::uint32_t& height, std::string* message);
  int ReadJpeg(std::uint32_t& width, std::uint32_t& height, std::string* message);
  // Reads exactly size bytes: 1 done, 0 the file ended first, -1 read error (*message set).
  int ReadExact(unsigned char* buffer, std::size_t size, std::string* message);

  platform::CReadOnlyFile m_file;
  std::string m_strPath;
};

// image made relative to base (both absolute, '/'-separated): "../" for each folder of base left
// after the common start, then the rest of image. An empty base gives image's file name.
std::string BannerRelativePath(const std::string& image, const std::string& base);

// The tag of string 10304 filled with src (Shift_JIS), width and height.
std::string BannerTag(const std::string& src, std::uint32_t width, std::uint32_t height);

// Outcome of the image button's sequence.
struct BannerTagResult {
  bool ok = false;
  std::string tag;      // Shift_JIS, when ok
  std::string message;  // Shift_JIS, when not ok: why
  bool quiet = false;   // not ok only because the header did not match: the sheet shows nothing
};

// Opens imagePath, reads its size and builds the tag with the path relative to baseFolder; the
// file is closed in every case. A relative path without a Shift_JIS form is refused.
BannerTagResult MakeBannerTag(const std::string& imagePath, const std::string& baseFolder);

}  // namespace vesk
