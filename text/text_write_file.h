// A text file written in text mode: every LF goes to disk as CR LF.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include "platform/file_error_cause.h"

namespace vesk {

// The on-disk (text mode) form of text into disk: every LF becomes CR LF.
void ToDiskForm(std::string_view text, std::string& disk);

// Keeps the first write error; Close() reports it (or the error of the final flush).
class CTextWriteFile {
 public:
  CTextWriteFile() = default;
  ~CTextWriteFile();
  CTextWriteFile(const CTextWriteFile&) = delete;
  CTextWriteFile& operator=(const CTextWriteFile&) = delete;

  // Creates the file afresh: whatever stands under the name (a leftover, a planted link) is
  // removed and the file created exclusively, so no link is ever followed. Meant for temporary
  // files that are then renamed into place. False with Cause() set when it cannot.
  bool Open(const std::string& path);
  void Write(std::string_view text);
  // Writes bytes as they are (already in their on-disk form).
  void WriteRaw(std::string_view bytes) { Put(bytes.data(), bytes.size()); }
  // Flushes and closes; false with Cause() set when any write failed.
  bool Close();
  FileErrorCause Cause() const { return m_nCause; }

 private:
  void Put(const char* data, std::size_t size);

  std::FILE* m_pFile = nullptr;
  FileErrorCause m_nCause = kFileErrNone;
};

}  // namespace vesk
