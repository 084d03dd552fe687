#include "app/desktop/desktop_registration.h"

#include <cctype>
#include <cstddef>
#include <cstdlib>

#include "platform/file_removal.h"
#include "platform/file_system.h"
#include "platform/run_tool.h"
#include "text/encoding.h"

namespace vesk {
namespace {

// Our mark in every file we write, so removal and rewriting never touch another's file.
constexpr const char kDesktopMark[] = "X-Vesk-Owner=vesk";
constexpr const char kXmlMark[] =
    "<!-- Written by vesk, which removes it again when it is uninstalled. -->";

constexpr std::size_t kMaxListFile = 1024 * 1024;
constexpr int kToolTime = 30000;

std::string EnvFolder(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && v[0] == '/' ? std::string(v) : std::string();
}

std::vector<std::string> EnvFolderList(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  std::string list = v != nullptr && *v != '\0' ? v : fallback;
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const auto end = list.find(':', start);
    std::string item = list.substr(start, end == std::string::npos ? end : end - start);
    while (item.size() > 1 && item.back() == '/') item.pop_back();
    if (!item.empty() && item[0] == '/') out.push_back(item);
    if (end == std::string::npos) return out;
    start = end + 1;
  }
}

// One argument of an Exec line: quoted when it holds a reserved character, with the
// characters that stay special inside quotes escaped, and "%" doubled.
std::string ExecArgument(const std::string& arg) {
  bool quote = arg.empty();
  for (char c : arg)
    if (std::string(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string::npos) quote = true;
  std::string out;
  if (quote) out += '"';
  for (char c : arg) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
    if (c == '%') out += '%';
  }
  if (quote) out += '"';
  // The value as a whole is a desktop-entry string, where a backslash is written doubled.
  std::string escaped;
  for (char c : out) {
    if (c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

bool ReadText(const std::string& path, std::string& out) {
  return platform::ReadWholeFile(path, out, kMaxListFile);
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('/')); }

// Whether every folder between base and path that is a symbolic link still resolves inside
// base: a link planted in place of one of our folders must not carry our files elsewhere.
bool FoldersStayInside(const std::string& base, const std::string& path) {
  const std::string realBase = platform::RealPath(base);
  if (realBase.empty()) return true;  // nothing there yet: created as plain folders
  std::size_t at = base.size();
  const std::string folder = Folder(path);
  while (at < folder.size()) {
    at = folder.find('/', at + 1);
    if (at == std::string::npos) at = folder.size();
    const std::string part = folder.substr(0, at);
    if (platform::GetEntryKind(part) != platform::EntryKind::Link) continue;
    const std::string real = platform::RealPath(part);
    if (real.empty() || (real != realBase && real.rfind(realBase + "/", 0) != 0)) return false;
  }
  return true;
}

// Writes bytes at path unless it already holds them; a file there that is not ours stays.
// The name itself is replaced, so a link standing there is never written through. True when
// the file was written.
bool WriteOurs(const std::string& base, const std::string& path, const std::string& bytes) {
  if (!FoldersStayInside(base, path)) return false;
  const platform::EntryKind kind = platform::GetEntryKind(path);
  if (kind != platform::EntryKind::Missing) {
    std::string old;
    if (!ReadText(path, old) || !IsOurDesktopFile(path)) return false;
    // The same bytes behind a link are still replaced by a file of our own.
    if (old == bytes && kind == platform::EntryKind::Regular) return false;
  }
  return platform::CreateFolders(Folder(path)) && platform::ReplaceEntryAtomically(path, bytes);
}

bool RemoveOurs(const std::string& path) {
  if (platform::GetEntryKind(path) != platform::EntryKind::Regular) return false;
  return IsOurDesktopFile(path) && platform::RemoveFile(path);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return s.substr(i);
}

// The first program named for our type in the default section of a list file, or empty.
std::string DefaultIn(const std::string& text) {
  bool inDefaults = false;
  const std::string key = kDocumentMimeType;
  for (const auto& raw : SplitLines(text)) {
    const std::string line = Trimmed(raw);
    if (!line.empty() && line[0] == '[') {
      inDefaults = line == "[Default Applications]";
      continue;
    }
    if (!inDefaults) continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos || Trimmed(line.substr(0, eq)) != key) continue;
    std::string value = Trimmed(line.substr(eq + 1));
    const auto semi = value.find(';');
    value = Trimmed(value.substr(0, semi));
    if (!value.empty()) return value;
  }
  return {};
}

bool IsOurDefaultLine(const std::string& raw) {
  const std::string line = Trimmed(raw);
  const auto eq = line.find('=');
  if (eq == std::string::npos || Trimmed(line.substr(0, eq)) != kDocumentMimeType) return false;
  std::string value = Trimmed(line.substr(eq + 1));
  if (!value.empty() && value.back() == ';') value.pop_back();
  return value == kDesktopEntryName;
}

}  // namespace

XdgPlaces XdgPlacesFromEnvironment() {
  XdgPlaces p;
  const std::string home = EnvFolder("HOME");
  p.dataHome = EnvFolder("XDG_DATA_HOME");
  if (p.dataHome.empty() && !home.empty()) p.dataHome = home + "/.local/share";
  p.configHome = EnvFolder("XDG_CONFIG_HOME");
  if (p.configHome.empty() && !home.empty()) p.configHome = home + "/.config";
  p.dataDirs = EnvFolderList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
  p.configDirs = EnvFolderList("XDG_CONFIG_DIRS", "/etc/xdg");
  return p;
}

std::string DesktopEntryText(const std::string& programPath) {
  if (programPath.empty() || programPath[0] != '/' || !IsValidUtf8(programPath)) return {};
  for (unsigned char c : programPath)
    if (c < 0x20 || c == 0x7F) return {};
  // GLib looks the program up by the Exec line's first word before it expands "%%", so a
  // program path holding "%" is found only when another program comes first. env takes every
  // word with "=" for a variable, so a path holding both cannot be written at all.
  std::string exec = ExecArgument(programPath);
  if (programPath.find('%') != std::string::npos) {
    if (programPath.find('=') != std::string::npos) return {};
    exec = "env " + exec;
  }
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.0\n"
         "Name=Kestrelnest Application\n"
         "Name[ja]=Kestrelnest Application\n"
         "GenericName=Link collection editor\n"
         "GenericName[ja]=リンク集エディタ\n"
         "Comment=Edit a link collection and publish it as CGI data and HTML pages\n"
         "Comment[ja]=リンク集を編集し、CGI用データとHTMLページに出力します\n"
         "Exec=" +
         exec +
         " %f\n"
         "Icon=vesk\n"
         "Terminal=false\n"
         "Categories=Office;\n"
         "MimeType=" +
         std::string(kDocumentMimeType) +
         ";\n"
         "StartupWMClass=vesk\n" +
         kDesktopMark + "\n";
}

std::string MimePackageText() {
  // Every version of the document file opens with the same header string, written with its
  // one-byte length (37, "%") in front: a sound magic rule beside the file name.
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + kXmlMark +
         "\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" +
         kDocumentMimeType +
         "\">\n"
         "    <comment>Vesk Document</comment>\n"
         "    <comment xml:lang=\"ja\">Vesk ファイル</comment>\n"
         "    <generic-icon name=\"vesk\"/>\n"
         "    <magic priority=\"50\">\n"
         "      <match type=\"string\" offset=\"0\" "
         "value=\"%Kestrelnest Application Data Format\\r\\n\"/>\n"
         "    </magic>\n"
         "    <glob pattern=\"*.knd\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string AppIconSvg() {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + kXmlMark +
         "\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
         "viewBox=\"0 0 32 32\">\n"
         "  <circle cx=\"16\" cy=\"16\" r=\"14\" fill=\"#6eaaf0\" stroke=\"#1e46a0\" "
         "stroke-width=\"2\"/>\n"
         "  <g stroke=\"#28823c\" stroke-width=\"2\">\n"
         "    <line x1=\"6\" y1=\"12\" x2=\"14\" y2=\"8\"/>\n"
         "    <line x1=\"18\" y1=\"24\" x2=\"26\" y2=\"20\"/>\n"
         "  </g>\n"
         "  <g fill=\"none\" stroke=\"#fac83c\" stroke-width=\"3\">\n"
         "    <rect x=\"6\" y=\"13\" width=\"12\" height=\"7\" rx=\"3\"/>\n"
         "    <rect x=\"14\" y=\"13\" width=\"12\" height=\"7\" rx=\"3\"/>\n"
         "  </g>\n"
         "</svg>\n";
}

std::string DesktopEntryPath(const XdgPlaces& p) {
  return p.dataHome + "/applications/" + kDesktopEntryName;
}
std::string MimePackagePath(const XdgPlaces& p) { return p.dataHome + "/mime/packages/vesk.xml"; }
std::string IconPath(const XdgPlaces& p) {
  return p.dataHome + "/icons/hicolor/scalable/apps/vesk.svg";
}
std::string UserMimeAppsPath(const XdgPlaces& p) { return p.configHome + "/mimeapps.list"; }

bool IsOurDesktopFile(const std::string& path) {
  std::string text;
  if (!ReadText(path, text)) return false;
  for (const auto& line : SplitLines(text)) {
    const std::string t = Trimmed(line);
    if (t == kDesktopMark || t == kXmlMark) return true;
  }
  return false;
}

DefaultHolder FindDefaultHolder(const XdgPlaces& p) {
  // The lists in the order the desktop reads them; the first that names a program decides.
  std::vector<std::string> lists;
  const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
  auto addFolder = [&](const std::string& folder) {
    if (folder.empty()) return;
    std::string names = desktops != nullptr ? desktops : "";
    std::size_t start = 0;
    while (!names.empty()) {
      const auto end = names.find(':', start);
      std::string d = names.substr(start, end == std::string::npos ? end : end - start);
      for (auto& c : d) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (!d.empty()) lists.push_back(folder + "/" + d + "-mimeapps.list");
      if (end == std::string::npos) break;
      start = end + 1;
    }
    lists.push_back(folder + "/mimeapps.list");
  };
  addFolder(p.configHome);
  for (const auto& d : p.configDirs) addFolder(d);
  if (!p.dataHome.empty()) addFolder(p.dataHome + "/applications");
  for (const auto& d : p.dataDirs) addFolder(d + "/applications");
  for (const auto& d : p.dataDirs) lists.push_back(d + "/applications/defaults.list");
  for (const auto& path : lists) {
    std::string text;
    if (!ReadText(path, text)) continue;
    const std::string holder = DefaultIn(text);
    if (holder.empty()) continue;
    return holder == kDesktopEntryName ? DefaultHolder::Us : DefaultHolder::Other;
  }
  return DefaultHolder::Nobody;
}

std::string AddDefaultEntry(const std::string& mimeApps) {
  const std::string entry = std::string(kDocumentMimeType) + "=" + kDesktopEntryName;
  std::vector<std::string> lines = SplitLines(mimeApps);
  int section = -1;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (Trimmed(lines[i]) == "[Default Applications]") section = static_cast<int>(i);
  if (section < 0) {
    std::string out = mimeApps;
    if (!out.empty() && out.back() != '\n') out += '\n';
    if (!out.empty()) out += '\n';
    return out + "[Default Applications]\n" + entry + "\n";
  }
  // After the section's last entry, before the blank lines that part it from the next.
  std::size_t at = static_cast<std::size_t>(section) + 1;
  std::size_t last = at;
  for (; at < lines.size(); ++at) {
    const std::string t = Trimmed(lines[at]);
    if (!t.empty() && t[0] == '[') break;
    if (!t.empty()) last = at + 1;
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last), entry);
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

std::string RemoveDefaultEntry(const std::string& mimeApps) {
  std::string out;
  bool inDefaults = false;
  std::size_t start = 0;
  while (start < mimeApps.size()) {
    auto end = mimeApps.find('\n', start);
    const std::size_t next = end == std::string::npos ? mimeApps.size() : end + 1;
    const std::string line = mimeApps.substr(start, next - start);
    const std::string t = Trimmed(line.substr(0, line.find('\n')));
    if (!t.empty() && t[0] == '[') inDefaults = t == "[Default Applications]";
    if (!(inDefaults && IsOurDefaultLine(t))) out += line;
    start = next;
  }
  return out;
}

DesktopChanges RegisterDesktopFiles(const XdgPlaces& p, const std::string& programPath) {
  DesktopChanges changes;
  if (p.dataHome.empty()) return changes;
  const std::string entry = DesktopEntryText(programPath);
  changes.mime = WriteOurs(p.dataHome, MimePackagePath(p), MimePackageText());
  if (WriteOurs(p.dataHome, IconPath(p), AppIconSvg())) changes.desktop = true;
  if (!entry.empty() && WriteOurs(p.dataHome, DesktopEntryPath(p), entry)) changes.desktop = true;
  if (!p.configHome.empty() && IsOurDesktopFile(DesktopEntryPath(p)) &&
      FindDefaultHolder(p) == DefaultHolder::Nobody) {
    std::string list;
    const std::string path = UserMimeAppsPath(p);
    const bool exists = platform::GetEntryKind(path) != platform::EntryKind::Missing;
    if ((!exists || ReadText(path, list)) && platform::CreateFolders(p.configHome))
      platform::ReplaceFileAtomically(path, AddDefaultEntry(list));
  }
  return changes;
}

DesktopChanges UnregisterDesktopFiles(const XdgPlaces& p) {
  DesktopChanges changes;
  if (p.dataHome.empty()) return changes;
  changes.mime = RemoveOurs(MimePackagePath(p));
  if (RemoveOurs(DesktopEntryPath(p))) changes.desktop = true;
  if (RemoveOurs(IconPath(p))) changes.desktop = true;
  std::string list;
  const std::string path = UserMimeAppsPath(p);
  if (!p.configHome.empty() && platform::GetEntryKind(path) == platform::EntryKind::Regular &&
      ReadText(path, list)) {
    const std::string rest = RemoveDefaultEntry(list);
    if (rest != list) platform::ReplaceFileAtomically(path, rest);
  }
  return changes;
}

void UpdateDesktopDatabases(const XdgPlaces& p, DesktopChanges changes) {
  if (p.dataHome.empty()) return;
  const std::string mime = p.dataHome + "/mime";
  // A package written while the tool was missing still needs its database once it is there.
  const bool unbuilt = platform::GetEntryKind(MimePackagePath(p)) == platform::EntryKind::Regular &&
                       platform::GetEntryKind(mime + "/mime.cache") == platform::EntryKind::Missing;
  if ((changes.mime || unbuilt) && platform::ToolExists("update-mime-database"))
    platform::RunTool({"update-mime-database", mime}, kToolTime);
  const std::string apps = p.dataHome + "/applications";
  if (changes.desktop && platform::ToolExists("update-desktop-database") &&
      platform::GetPathKind(apps) == platform::PathKind::Folder)
    platform::RunTool({"update-desktop-database", apps}, kToolTime);
}

bool WriteDesktopFilesForInstall(const std::string& folder, const std::string& programPath) {
  const std::string entry = DesktopEntryText(programPath);
  return !entry.empty() && platform::CreateFolders(folder) &&
         platform::ReplaceFileAtomically(folder + "/" + kDesktopEntryName, entry) &&
         platform::ReplaceFileAtomically(folder + "/vesk.xml", MimePackageText()) &&
         platform::ReplaceFileAtomically(folder + "/vesk.svg", AppIconSvg());
}

}  // namespace vesk
