// The recent-file list of the File menu: four paths (the file system's bytes), newest first,
// shown shortened.
#pragma once

#include <string>

namespace vesk {

class CVeskSettings;

constexpr std::size_t kRecentFileShownLength = 30;

class CRecentFileList {
 public:
  static constexpr int kSize = 4;

  // Reads "Recent File List" (File1 newest); empty entries are dropped.
  void Load(CVeskSettings& settings);
  // Rewrites "Recent File List" with one value per non-empty entry.
  void Save(CVeskSettings& settings) const;

  // Puts path first, removing an earlier entry of the same path; the oldest drops off.
  void Add(const std::string& path);
  void Remove(int index);
  int Count() const;
  // The entry at index (0 = newest); empty past the end.
  const std::string& Get(int index) const;

 private:
  std::string m_files[kSize];
};

// The path as the menu shows it: unchanged when it fits into maxLength bytes, else the
// folders in the middle replaced by "...", keeping the file name (cut when it alone is too
// long, never inside a UTF-8 character).
std::string ShortenPath(const std::string& path, std::size_t maxLength = kRecentFileShownLength);

}  // namespace vesk
