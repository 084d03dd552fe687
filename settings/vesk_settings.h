// The program's preferences: one read (with its default) and one write per stored value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings_backend.h"

namespace vesk {

// A path (the file system's bytes) as a settings string: its Shift_JIS form when that reads back
// as the same path, else a NUL marker followed by the path's own bytes (a path never holds a
// NUL), so a name Shift_JIS cannot hold (an emoji) is kept exactly.
std::string PathToSetting(const std::string& path);
// The path of such a settings string; empty when a Shift_JIS form is not valid text.
std::string PathFromSetting(const std::string& value);

// Typed access to every preference; reads ask the backend each time (nothing is cached).
class CVeskSettings {
 public:
  explicit CVeskSettings(ISettingsBackend& backend) : m_backend(backend) {}

  ISettingsBackend& Backend() { return m_backend; }

  // Generic access used by the typed accessors and by `vesk-cli config`.
  int GetInt(const std::string& section, const std::string& name, int def);
  std::string GetString(const std::string& section, const std::string& name,
                        const std::string& def = {});
  bool WriteInt(const std::string& section, const std::string& name, int value);
  // No value (nullopt) deletes the stored value, so the next read yields the default.
  bool WriteString(const std::string& section, const std::string& name,
                   const std::optional<std::string>& value);

  // Settings\Data
  int GetTag();
  void SetTag(int v);
  int GetAuto();
  void SetAuto(int v);
  std::string GetBannerTemplate(int n);  // n = 1, 2, 3
  void SetBannerTemplate(int n, const std::optional<std::string>& v);
  std::string GetCoolData();
  std::string GetHotData();
  std::string GetCheckData();
  void SetCoolData(const std::string& v);
  void SetHotData(const std::string& v);
  void SetCheckData(const std::string& v);
  // Mark number 1..3 to its published text; any other number gives the empty text.
  std::string MarkText(int mark);
  int GetLinkFlag();
  void SetLinkFlag(int v);
  std::string GetGenreList();
  void SetGenreList(const std::string& v);
  int GetOpen();
  void SetOpen(int v);
  int GetTail();
  void SetTail(int v);
  int GetUserAgent();
  void SetUserAgent(int v);
  // Settings\Files
  std::string GetDeepscout();
  void SetDeepscout(const std::string& v);
  // "Favorites": the folder of the Favorites import and export (the file system's bytes);
  // empty until the user picks one.
  std::string GetFavoritesFolder();
  void SetFavoritesFolder(const std::string& path);
  // Settings\ListView
  int GetHeader(int position);  // "Header%d", default position + 0x1000
  void SetHeader(int position, int v);
  int GetGridLine();
  void SetGridLine(int v);
  int GetColumnWidth(int position, int def);  // "lc%d"
  void SetColumnWidth(int position, int v);
  // Settings\Window
  int GetWindowValue(const std::string& name);  // x, y, cx, cy, ps1cx, ps1cy with their defaults
  void SetWindowValue(const std::string& name, int v);
  // Search
  std::string GetSearchWords();                       // TAB-joined, newest first
  bool SetSearchWords(const std::string& tabJoined);  // false at the first failed write
  int GetSearchMode();
  void SetSearchMode(int v);
  // Recent File List: index 1..4; paths in the file system's bytes, kept exactly
  std::string GetRecentFile(int n);
  void WriteRecentFiles(const std::string (&files)[4]);
  // Settings\OutputFolders: output folders outside a document's own folder that the user
  // confirmed for that document (both paths in the file system's bytes, as resolved paths).
  // Reading never creates a key.
  bool IsOutputFolderConfirmed(const std::string& docPath, const std::string& folder);
  void AddConfirmedOutputFolder(const std::string& docPath, const std::string& folder);

  // Settings
  int GetPreviewPages();
  void SetPreviewPages(int v);
  // Settings\LinkCheck
  int GetLinkCheckJobs();  // "Jobs": requests in flight at once, default 16
  void SetLinkCheckJobs(int v);
  int GetLinkCheckTimeout();  // "Timeout": seconds allowed per link, default 15
  void SetLinkCheckTimeout(int v);
  // Settings\Capture
  int GetDevToolsPort();  // "DevToolsPort": a browser's remote-debugging port, default 9222
  void SetDevToolsPort(int v);

 private:
  ISettingsBackend& m_backend;
};

}  // namespace vesk
