// A path value with the file-name operations the outputs and imports share.
#pragma once

#include <string>

namespace vesk {

// Native path separator as a character and as text.
constexpr char kPathSep = '/';
constexpr const char* kPathSepStr = "/";

// What a path names on disk; the values are the numbers the older interface answered with.
enum class FolderKindResult { Folder = 100, NotFolder = 200, Missing = 500 };

// One path text; searches are Shift_JIS aware, so a second byte is never taken for a separator.
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
                           int* cause = nullptr) const;
  // Replaces (or adds) [section] key in the INI file, keeping the rest; false on failure.
  bool WriteIniValue(const std::string& section, const std::string& key,
                     const std::string& value) const;
  // Whether the path is an existing folder, another existing thing, or missing.
  FolderKindResult FolderKind() const;
  // Creates every missing folder of an absolute path (the last one only with createLast).
  bool MakeDirectoryPath(bool createLast) const;

 private:
  std::string m_strPath;
};

}  // namespace vesk
