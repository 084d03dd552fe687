// A path value with the file-name operations the outputs and imports share.
#pragma once

#include <cstddef>
#include <string>
#include "platform/file_error_cause.h"

namespace vesk {

// Native path separator as a character and as text.
constexpr char kPathSep = '/';
constexpr const char* kPathSepStr = "/";

// File-system paths are the file system's own bytes (UTF-8). The separator and "." are searched
// byte by byte: neither byte can be part of a UTF-8 multi-byte character or the second byte of a
// Shift_JIS one, so the same operations serve Shift_JIS names too.

// A Shift_JIS text that names a path (a folder field of the document, a category file name) in
// the file system's form; false when the text is not valid Shift_JIS.
bool PathFromCp932(const std::string& cp932, std::string& path);
// A file-system path in Shift_JIS, for a field stored in the document; false when a character
// has no CP932 form or the text would not come back as the same path.
bool PathToCp932(const std::string& path, std::string& cp932);

// The folder part of path up to and including its last separator; "./" when it has none.
std::string FolderOfPath(const std::string& path);
// The file-name part of path (after its last separator).
std::string FileNameOfPath(const std::string& path);
// path as seen from folder: a relative path is taken from folder, an absolute one stays.
std::string PathInFolder(const std::string& path, const std::string& folder);
// Length of the root that makes path absolute: "/" (1), on Windows also a drive "C:/" (3) and
// the "//" of a network path (2); 0 for a relative path.
std::size_t PathRootLength(const std::string& path);
inline bool IsAbsolutePath(const std::string& path) { return PathRootLength(path) > 0; }

// What a path names on disk; the values are the numbers the older interface answered with.
enum class FolderKindResult { Folder = 100, NotFolder = 200, Missing = 500 };

// One path text.
class CFilePath {
 public:
  CFilePath() = default;
  explicit CFilePath(std::string path) : m_strPath(std::move(path)) {}

  const std::string& Str() const { return m_strPath; }

  // True when the file-name part has a "." and the text after its last "." equals ext exactly.
  bool HasExtension(const std::string& ext) const;
  // Cuts at the file name's last "." (if any), appends "." and ext; returns the new path.
  std::string ChangeExtension(const std::string& ext);
  std::string Append(const std::string& text);
  // Reads [section] key from the INI-format file at this path; empty when missing. When the file
  // cannot be read and cause is given, it receives the file-error cause (else 0).
  std::string ReadIniValue(const std::string& section, const std::string& key,
                           FileErrorCause* cause = nullptr) const;
  // Replaces (or adds) [section] key in the INI file, keeping the rest; false on failure, with
  // the file-error cause when cause is given.
  bool WriteIniValue(const std::string& section, const std::string& key, const std::string& value,
                     FileErrorCause* cause = nullptr) const;
  // Whether the path is an existing folder, another existing thing, or missing.
  FolderKindResult FolderKind() const;
  // Creates every missing folder of an absolute path (the last one only with createLast).
  bool MakeDirectoryPath(bool createLast) const;

 private:
  std::string m_strPath;
};

}  // namespace vesk
