#include "text/file_path.h"

#include <string>

#include "platform/file_system.h"
#include "text/cp932_text.h"
#include "text/encoding.h"

namespace vesk {

namespace {

// The profile-string buffer holds 260 bytes including the terminator.
constexpr std::size_t kIniValueMax = 259;
// An INI file is read and rewritten whole; a larger one is not a profile file and is refused.
constexpr std::size_t kIniFileMax = 16 * 1024 * 1024;

// Index of the first byte of the file-name part (after the last separator).
std::size_t NameStart(const std::string& path) {
  std::size_t sep = path.rfind(kPathSep);
  return sep == npos ? 0 : sep + 1;
}

// Position of the last "." of the file-name part, or npos.
std::size_t ExtensionDot(const std::string& path) {
  std::size_t dot = path.rfind('.');
  return dot == npos || dot < NameStart(path) ? npos : dot;
}

bool IsIniBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimIni(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsIniBlank(text[begin])) ++begin;
  while (end > begin && (IsIniBlank(text[end - 1]) || text[end - 1] == '\r')) --end;
  return text.substr(begin, end - begin);
}

// One INI line, classified.
struct IniLine {
  enum Kind { Other, Section, Entry } kind = Other;
  std::string name;         // section name or key, trimmed
  std::size_t valueAt = 0;  // for Entry: index just after the "="
};

IniLine ClassifyIniLine(const std::string& raw) {
  IniLine line;
  std::string text = TrimIni(raw);
  if (text.empty() || text[0] == ';') return line;
  if (text[0] == '[') {
    std::size_t close = MbsFindChar(text, ']', 1);
    line.kind = IniLine::Section;
    line.name = TrimIni(text.substr(1, close == npos ? npos : close - 1));
    return line;
  }
  std::size_t eq = MbsFindChar(raw, '=');
  if (eq == npos) return line;
  line.kind = IniLine::Entry;
  line.name = TrimIni(raw.substr(0, eq));
  line.valueAt = eq + 1;
  return line;
}

// The value text of an entry as the profile functions give it: trimmed, one pair of enclosing
// quotes removed, cut to the buffer size on a character boundary.
std::string IniValue(const std::string& raw, std::size_t valueAt) {
  std::string value = TrimIni(raw.substr(valueAt));
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    value = value.substr(1, value.size() - 2);
  std::size_t end = 0;
  while (end < value.size()) {
    std::size_t len = MbsCharLen(value, end);
    if (end + len > kIniValueMax) break;
    end += len;
  }
  value.resize(end);
  return value;
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != npos; }

}  // namespace

bool PathFromCp932(const std::string& cp932, std::string& path) {
  if (!Cp932ToUtf8(cp932, path)) return false;
#ifdef _WIN32
  // A document written on Windows holds backslash paths; in UTF-8 a backslash byte is always
  // the separator, so the program's own '/' takes its place.
  for (char& c : path)
    if (c == '\\') c = kPathSep;
#endif
  return true;
}

bool PathToCp932(const std::string& path, std::string& cp932) {
  std::string back;
  return Utf8ToCp932(path, cp932) && Cp932ToUtf8(cp932, back) && back == path;
}

std::string FolderOfPath(const std::string& path) {
  std::size_t sep = path.rfind(kPathSep);
  return sep == npos ? std::string(".") + kPathSep : path.substr(0, sep + 1);
}

std::string FileNameOfPath(const std::string& path) { return path.substr(NameStart(path)); }

std::size_t PathRootLength(const std::string& path) {
#ifdef _WIN32
  auto sep = [](char c) { return c == '/' || c == '\\'; };
  if (path.size() >= 3 && path[1] == ':' && sep(path[2]) &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
    return 3;
  if (path.size() >= 2 && sep(path[0]) && sep(path[1])) return 2;
  return !path.empty() && sep(path[0]) ? 1 : 0;
#else
  return !path.empty() && path[0] == kPathSep ? 1 : 0;
#endif
}

std::string PathInFolder(const std::string& path, const std::string& folder) {
  if (path.empty() || IsAbsolutePath(path) || folder.empty()) return path;
  return folder.back() == kPathSep ? folder + path : folder + kPathSep + path;
}

bool CFilePath::HasExtension(const std::string& ext) const {
  std::size_t dot = ExtensionDot(m_strPath);
  return dot != npos && m_strPath.compare(dot + 1, npos, ext) == 0;
}

std::string CFilePath::ChangeExtension(const std::string& ext) {
  std::size_t dot = ExtensionDot(m_strPath);
  if (dot != npos) m_strPath.resize(dot);
  m_strPath += '.';
  m_strPath += ext;
  return m_strPath;
}

std::string CFilePath::Append(const std::string& text) {
  m_strPath += text;
  return m_strPath;
}

std::string CFilePath::ReadIniValue(const std::string& section, const std::string& key,
                                    FileErrorCause* cause) const {
  if (cause) *cause = kFileErrNone;
  // A file beyond the size limit is not a profile file; it is refused rather than scanned.
  std::string content;
  FileErrorCause readCause = kFileErrNone;
  if (!platform::ReadWholeFile(m_strPath, content, kIniFileMax, &readCause)) {
    if (cause) *cause = readCause;
    return {};
  }
  if (section.empty() || key.empty()) return {};
  bool inSection = false;
  for (std::size_t start = 0; start < content.size();) {
    std::size_t lf = content.find('\n', start);
    std::size_t lineEnd = lf == npos ? content.size() : lf;
    std::string raw = content.substr(start, lineEnd - start);
    start = lf == npos ? content.size() : lf + 1;
    IniLine parsed = ClassifyIniLine(raw);
    if (parsed.kind == IniLine::Section) {
      inSection = MbsEqualNoCase(parsed.name, section);
    } else if (parsed.kind == IniLine::Entry && inSection && MbsEqualNoCase(parsed.name, key)) {
      return IniValue(raw, parsed.valueAt);
    }
  }
  return {};
}

bool CFilePath::WriteIniValue(const std::string& section, const std::string& key,
                              const std::string& value, FileErrorCause* cause) const {
  FileErrorCause ignored = kFileErrNone;
  if (!cause) cause = &ignored;
  *cause = kFileErrInvalidFile;
  // Names or a value that would break the line format are refused.
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || MbsFindChar(section, ']') != npos || MbsFindChar(key, '=') != npos ||
      key[0] == '[' || key[0] == ';' || TrimIni(key) != key || TrimIni(section) != section)
    return false;

  std::string content;
  *cause = kFileErrNone;
  if (!platform::ReadWholeFile(m_strPath, content, kIniFileMax, cause)) {
    if (*cause != kFileErrNotFound) return false;
    *cause = kFileErrNone;
  }

  std::string eol = "\r\n";
  std::size_t firstLf = content.find('\n');
  if (firstLf != npos && (firstLf == 0 || content[firstLf - 1] != '\r')) eol = "\n";

  bool sectionFound = false;
  std::size_t insertAt = npos;  // end of the last entry (or header) line of the section
  for (std::size_t start = 0; start < content.size();) {
    std::size_t lf = content.find('\n', start);
    std::size_t lineEnd = lf == npos ? content.size() : lf + 1;
    std::size_t textEnd = lf == npos ? content.size() : lf;
    if (textEnd > start && content[textEnd - 1] == '\r') --textEnd;
    std::string raw = content.substr(start, textEnd - start);
    IniLine parsed = ClassifyIniLine(raw);
    if (parsed.kind == IniLine::Section) {
      if (sectionFound) break;  // only the first section of that name is used
      if (MbsEqualNoCase(parsed.name, section)) {
        sectionFound = true;
        insertAt = lineEnd;
      }
    } else if (sectionFound && parsed.kind == IniLine::Entry) {
      if (MbsEqualNoCase(parsed.name, key)) {
        std::string updated = content.substr(0, start + parsed.valueAt) + value;
        updated.append(content, textEnd, npos);
        return platform::ReplaceFileAtomically(m_strPath, updated, cause);
      }
      insertAt = lineEnd;
    }
    start = lineEnd;
  }

  std::string entry = key + "=" + value + eol;
  std::string updated;
  if (sectionFound) {
    bool needBreak = insertAt > 0 && content[insertAt - 1] != '\n';
    updated = content.substr(0, insertAt) + (needBreak ? eol : "") + entry;
    updated.append(content, insertAt, npos);
  } else {
    updated = content;
    if (!updated.empty() && updated.back() != '\n') updated += eol;
    updated += "[" + section + "]" + eol + entry;
  }
  return platform::ReplaceFileAtomically(m_strPath, updated, cause);
}

FolderKindResult CFilePath::FolderKind() const {
  switch (platform::GetPathKind(m_strPath)) {
    case platform::PathKind::Folder:
      return FolderKindResult::Folder;
    case platform::PathKind::Other:
      return FolderKindResult::NotFolder;
    case platform::PathKind::Missing:
      break;
  }
  return FolderKindResult::Missing;
}

bool CFilePath::MakeDirectoryPath(bool createLast) const {
  // Only absolute paths: a relative one would depend on the current folder.
  const std::size_t root = PathRootLength(m_strPath);
  if (root == 0) return false;
  std::string built = m_strPath.substr(0, root);
  std::string rest = m_strPath.substr(root);
  while (!rest.empty()) {
    std::size_t sep = rest.find(kPathSep);
    std::string component;
    if (sep == npos) {
      if (!createLast) break;
      component.swap(rest);
    } else {
      component = rest.substr(0, sep);
      rest.erase(0, sep + 1);
    }
    built += component;
    if (platform::GetPathKind(built) != platform::PathKind::Folder &&
        !platform::CreateFolder(built))
      return false;
    built += kPathSep;
  }
  return true;
}

}  // namespace vesk
