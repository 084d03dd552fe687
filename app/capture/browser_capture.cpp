#include "app/capture/browser_capture.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

#include "app/capture/chromium_session.h"
#include "app/capture/devtools_list.h"
#include "app/capture/firefox_session.h"
#include "app/capture/local_page_title.h"
#include "app/capture/mozlz4.h"
#include "app/capture/session_file.h"

namespace vesk {

namespace {

// profiles.ini is a few lines; a larger file is not one.
constexpr std::size_t kMaxProfilesIni = 1u << 20;

// The user-data folders of the Chromium family under the configuration folder, and on Windows
// under the local application data folder.
const char* const kChromiumFolders[] = {"chromium", "google-chrome", "google-chrome-beta",
                                        "google-chrome-unstable"};
const char* const kWindowsChromiumFolders[] = {
    "Chromium/User Data", "Google/Chrome/User Data", "Google/Chrome Beta/User Data",
    "Google/Chrome SxS/User Data", "Microsoft/Edge/User Data"};

// A decimal port number 1..65535 and nothing else; 0 otherwise.
int PortNumber(const std::string& text) {
  if (text.empty() || text.size() > 5) return 0;
  int port = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    port = port * 10 + (c - '0');
  }
  return port <= 65535 ? port : 0;
}

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

std::optional<BrowserPage> ReadFirefoxPage(const std::string& file) {
  std::string json;
  if (!ReadMozLz4File(file, json)) return std::nullopt;
  return FirefoxSessionPage(json);
}

std::optional<BrowserPage> ReadChromiumPage(const std::string& file) {
  if (file.empty()) return std::nullopt;
  std::string bytes;
  if (!ReadSessionFile(file, bytes, kChromiumSessionMaxSize)) return std::nullopt;
  std::optional<BrowserPage> page = ReadChromiumSession(bytes);
  if (page && page->title.empty()) page->title = LocalPageTitle(page->url);
  return page;
}

// Whether a running browser of the family says its endpoint listens on port: any process could
// listen there, and only the browser's own lock and port file tell that it is the browser.
bool RunningChromiumListensOn(const CaptureEnvironment& env, int port) {
  for (const std::string& folder : ChromiumUserDataFolders(env)) {
    if (!IsChromiumRunning(folder)) continue;
    if (DevToolsActivePort(folder) == port ||
        ChromiumCommandLinePort(ChromiumLockPid(folder)) == port)
      return true;
  }
  return false;
}

std::optional<BrowserPage> AskDevTools(const CaptureEnvironment& env) {
  if (!env.fetchDevTools || !RunningChromiumListensOn(env, env.devToolsPort)) return std::nullopt;
  for (const char* host : {"127.0.0.1", "::1"}) {
    if (auto answer = env.fetchDevTools(host, env.devToolsPort)) {
      if (auto page = FirstDevToolsPage(*answer)) return page;
    }
  }
  return std::nullopt;
}

}  // namespace

CaptureEnvironment ProcessCaptureEnvironment() {
  CaptureEnvironment env;
  env.appData = RoamingAppDataFolder();
  env.localAppData = LocalAppDataFolder();
  env.home = Env("HOME");
  env.configHome = Env("XDG_CONFIG_HOME");
  // Only an absolute XDG_CONFIG_HOME counts.
  if (env.configHome.empty() || env.configHome[0] != '/') {
    env.configHome = env.home.empty() ? std::string() : env.home + "/.config";
  }
  return env;
}

std::optional<RunningSession> FindFirefoxSession(const CaptureEnvironment& env) {
  std::vector<std::string> roots;
  if (!env.configHome.empty()) roots.push_back(env.configHome + "/mozilla/firefox");
  if (!env.home.empty()) roots.push_back(env.home + "/.mozilla/firefox");
  if (!env.appData.empty()) roots.push_back(env.appData + "/Mozilla/Firefox");
  std::optional<RunningSession> best;
  for (const std::string& root : roots) {
    std::string ini;
    if (!ReadSessionFile(root + "/profiles.ini", ini, kMaxProfilesIni)) continue;
    for (const std::string& profile : FirefoxProfileFolders(ini, root)) {
      if (!IsFirefoxProfileRunning(profile)) continue;
      for (const char* name :
           {"/sessionstore-backups/recovery.jsonlz4", "/sessionstore-backups/recovery.baklz4"}) {
        const std::string file = profile + name;
        const long long t = FileTimeNs(file);
        if (t == 0) continue;
        if (!best || t > best->timeNs) best = RunningSession{file, t};
        break;
      }
    }
  }
  return best;
}

long ChromiumLockPid(const std::string& userDataFolder) {
  const std::string text = LinkTarget(userDataFolder + "/SingletonLock");
  if (text.empty()) return 0;
  const std::size_t dash = text.rfind('-');
  if (dash == std::string::npos || dash == 0) return 0;
  // Another machine's browser on a shared home folder cannot be asked.
  if (text.substr(0, dash) != HostName()) return 0;
  char* end = nullptr;
  const long pid = std::strtol(text.c_str() + dash + 1, &end, 10);
  return end != nullptr && *end == '\0' && ProcessAlive(pid) ? pid : 0;
}

bool IsChromiumRunning(const std::string& userDataFolder) {
  // Windows: the browser keeps its lockfile open without sharing.
  return FileLockedByOther(userDataFolder + "/lockfile") || ChromiumLockPid(userDataFolder) != 0;
}

int DevToolsActivePort(const std::string& userDataFolder) {
  // The first line is the port, the second the browser's own target path.
  std::string text;
  if (!ReadSessionFile(userDataFolder + "/DevToolsActivePort", text, 4096)) return 0;
  return PortNumber(text.substr(0, text.find_first_of("\r\n")));
}

int ChromiumCommandLinePort(long pid) {
  // The arguments, each ending in a NUL byte; a browser's line is a few kilobytes.
  std::string args;
  if (pid <= 0 || !ReadSessionFile("/proc/" + std::to_string(pid) + "/cmdline", args, 1 << 20))
    return 0;
  const std::string option = "--remote-debugging-port=";
  int port = 0;
  for (std::size_t at = 0; at < args.size();) {
    std::size_t end = args.find('\0', at);
    if (end == std::string::npos) end = args.size();
    if (args.compare(at, option.size(), option) == 0)
      port = PortNumber(args.substr(at + option.size(), end - at - option.size()));
    at = end + 1;
  }
  return port;
}

std::vector<std::string> ChromiumUserDataFolders(const CaptureEnvironment& env) {
  std::vector<std::string> folders;
  if (!env.configHome.empty()) {
    for (const char* name : kChromiumFolders) folders.push_back(env.configHome + "/" + name);
  }
  if (!env.localAppData.empty()) {
    for (const char* name : kWindowsChromiumFolders)
      folders.push_back(env.localAppData + "/" + name);
  }
  return folders;
}

std::optional<RunningSession> FindChromiumSession(const CaptureEnvironment& env) {
  std::optional<RunningSession> best;
  for (const std::string& folder : ChromiumUserDataFolders(env)) {
    if (!IsChromiumRunning(folder)) continue;
    RunningSession found{{}, 0};
    for (const std::string& profile : FolderEntries(folder)) {
      const std::string sessions = folder + "/" + profile + "/Sessions";
      std::vector<std::string> files;
      for (const std::string& entry : FolderEntries(sessions)) {
        // Browser windows log to Session_ files, app windows to Apps_ files of the same form.
        if (entry.rfind("Session_", 0) == 0 || entry.rfind("Apps_", 0) == 0)
          files.push_back(sessions + "/" + entry);
      }
      files.push_back(folder + "/" + profile + "/Current Session");  // older releases
      for (const std::string& file : files) {
        const long long t = FileTimeNs(file);
        if (t > found.timeNs) found = RunningSession{file, t};
      }
    }
    if (found.file.empty()) found.timeNs = FileTimeNs(folder + "/SingletonLock");
    if (!best || found.timeNs > best->timeNs) best = found;
  }
  return best;
}

std::optional<BrowserPage> FindBrowserPage(const CaptureEnvironment& env) {
  const std::optional<RunningSession> firefox = FindFirefoxSession(env);
  const std::optional<RunningSession> chromium = FindChromiumSession(env);
  // The browser used last first: its session file is the newer one. The remote-debugging
  // endpoint is asked only of a running browser whose own files name its port.
  const bool chromiumFirst = chromium && (!firefox || chromium->timeNs > firefox->timeNs);
  std::optional<BrowserPage> page;
  auto tryChromium = [&] {
    if (!page) page = AskDevTools(env);
    if (!page && chromium) page = ReadChromiumPage(chromium->file);
  };
  if (chromiumFirst) tryChromium();
  if (!page && firefox) page = ReadFirefoxPage(firefox->file);
  if (!chromiumFirst) tryChromium();
  if (!page && env.clipboard != nullptr) page = ClipboardPage(*env.clipboard);
  if (page) page->title = CleanTitle(CapTitle(std::move(page->title)));
  return page;
}

std::string CleanTitle(const std::string& title) {
  std::string out = title;
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = ' ';
  }
  return out;
}

}  // namespace vesk
