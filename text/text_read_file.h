// A text file opened for reading line by line, CR LF or LF, with a bound on the line length.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>
#include "platform/file_error_cause.h"

namespace vesk {

// Reads a file of any origin safely: no line grows beyond kMaxLineBytes (the excess is dropped).
class CTextReadFile {
 public:
  static constexpr std::size_t kMaxLineBytes = 1 << 20;
  // The largest file opened; larger files, and anything but a regular file, are refused.
  static constexpr unsigned long long kMaxFileBytes = 1ull << 30;

  CTextReadFile() = default;
  ~CTextReadFile();
  CTextReadFile(const CTextReadFile&) = delete;
  CTextReadFile& operator=(const CTextReadFile&) = delete;

  // Opens an existing regular file; false with Cause() set when it cannot be opened, is not a
  // regular file or is larger than kMaxFileBytes (kFileErrInvalidFile).
  bool Open(const std::string& path);
  // The next line without its line end; false at the end of the file or on a read error
  // (then Cause() is non-zero).
  bool ReadLine(std::string& line);
  // The file-error cause of the last failure (0 = none).
  FileErrorCause Cause() const { return m_nCause; }
  bool IsOpen() const { return m_pFile != nullptr; }
  void Close();

 private:
  bool Fill();

  std::FILE* m_pFile = nullptr;
  std::vector<char> m_buffer;
  std::size_t m_nPos = 0;
  std::size_t m_nEnd = 0;
  bool m_bEof = false;
  FileErrorCause m_nCause = kFileErrNone;
};

}  // namespace vesk
