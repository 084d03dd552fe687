#include "app/recent_files.h"

#include "settings/vesk_settings.h"
#include "text/file_path.h"

namespace vesk {

namespace {

// The longest prefix of the UTF-8 text of at most n bytes that does not end inside a character.
std::string CutAtCharacter(const std::string& text, std::size_t n) {
  if (text.size() <= n) return text;
  std::size_t i = n;
  while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
  return text.substr(0, i);
}

// Position of the last separator before end (a byte search: paths are UTF-8).
std::size_t LastSeparator(const std::string& path, std::size_t end) {
  if (end == 0) return std::string::npos;
  return path.rfind(kPathSep, end - 1);
}

}  // namespace

void CRecentFileList::Load(CVeskSettings& settings) {
  int n = 0;
  for (auto& f : m_files) f.clear();
  for (int i = 1; i <= kSize; ++i) {
    std::string path = settings.GetRecentFile(i);
    if (!path.empty()) m_files[n++] = path;
  }
}

void CRecentFileList::Save(CVeskSettings& settings) const { settings.WriteRecentFiles(m_files); }

void CRecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  int at = kSize - 1;
  for (int i = 0; i < kSize; ++i) {
    if (m_files[i] == path) {
      at = i;
      break;
    }
  }
  for (int i = at; i > 0; --i) m_files[i] = m_files[i - 1];
  m_files[0] = path;
}

void CRecentFileList::Remove(int index) {
  if (index < 0 || index >= kSize) return;
  for (int i = index; i + 1 < kSize; ++i) m_files[i] = m_files[i + 1];
  m_files[kSize - 1].clear();
}

int CRecentFileList::Count() const {
  int n = 0;
  while (n < kSize && !m_files[n].empty()) ++n;
  return n;
}

const std::string& CRecentFileList::Get(int index) const {
  static const std::string empty;
  return index >= 0 && index < kSize ? m_files[index] : empty;
}

std::string ShortenPath(const std::string& path, std::size_t maxLength) {
  if (path.size() <= maxLength) return path;
  std::size_t lastSep = LastSeparator(path, path.size());
  std::string name = lastSep == std::string::npos ? path : path.substr(lastSep + 1);
  const std::string ellipsis = "...";
  // The root ("/" or the first component) stays in front of the ellipsis when it fits.
  std::string root;
  if (lastSep != std::string::npos) root = path.substr(0, path.find(kPathSep) + 1);
  if (root.size() + ellipsis.size() + 1 + name.size() > maxLength) {
    if (name.size() <= maxLength) return name;
    return CutAtCharacter(name, maxLength);
  }
  // Keep as many trailing folders as fit: root + "..." + tail, tail starting with a separator.
  std::string tail = path.substr(lastSep);
  std::size_t end = lastSep;
  while (end > root.size()) {
    std::size_t sep = LastSeparator(path, end);
    if (sep == std::string::npos || sep < root.size()) break;
    std::string longer = path.substr(sep);
    if (root.size() + ellipsis.size() + longer.size() > maxLength) break;
    tail = longer;
    end = sep;
  }
  return root + ellipsis + tail;
}

}  // namespace vesk
