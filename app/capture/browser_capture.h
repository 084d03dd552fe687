// Finding the page the browser shows: the running Firefox-family profile's session store, the
// running Chromium family (its remote-debugging endpoint, else its session files), the
// clipboard; the browser used last is asked first.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/capture/browser_page.h"
#include "app/capture/clipboard_page.h"

namespace vesk {

// Where the capture looks; tests point it at temporary folders.
struct CaptureEnvironment {
  std::string home;          // $HOME
  std::string configHome;    // $XDG_CONFIG_HOME, else $HOME/.config
  std::string appData;       // Windows: %APPDATA%, where Firefox keeps its profiles
  std::string localAppData;  // Windows: %LOCALAPPDATA%, where the Chromium family keeps its own
  int devToolsPort = 9222;
  // Asks a loopback remote-debugging endpoint for its /json/list; unset: not asked.
  std::function<std::optional<std::string>(const std::string& host, int port)> fetchDevTools;
  IClipboardSource* clipboard = nullptr;  // null: no clipboard
};

// HOME and XDG_CONFIG_HOME (Windows: APPDATA and LOCALAPPDATA) of this process; the port and the
// others are left for the caller.
CaptureEnvironment ProcessCaptureEnvironment();

// A running browser's session, as found on disk.
struct RunningSession {
  std::string file;      // the session file to read
  long long timeNs = 0;  // its modification time: when the browser was last used
};

// The user-data folders of the Chromium family that env names, Linux's and Windows' forms.
std::vector<std::string> ChromiumUserDataFolders(const CaptureEnvironment& env);

// The newest session store among the running profiles that the profiles.ini files of the
// Firefox family name.
std::optional<RunningSession> FindFirefoxSession(const CaptureEnvironment& env);
// The newest session file among the profiles of the running user-data folders of the Chromium
// family. A running browser without a session file yet gives the lock's time and no file.
std::optional<RunningSession> FindChromiumSession(const CaptureEnvironment& env);

// Whether a Chromium-family user-data folder is in use: its SingletonLock link names this
// machine and a live process. ChromiumLockPid gives that process (0: none).
bool IsChromiumRunning(const std::string& userDataFolder);
long ChromiumLockPid(const std::string& userDataFolder);

// The port of the remote-debugging endpoint that a Chromium-family user-data folder's
// DevToolsActivePort file names; 0 when there is none or it names no port.
int DevToolsActivePort(const std::string& userDataFolder);
// The port a process was started with by --remote-debugging-port= (the last one); 0: none.
int ChromiumCommandLinePort(long pid);

// The page, from the first source that answers; nullopt when none does. The endpoint at the
// configured port is asked only when a running browser's folder names that port.
std::optional<BrowserPage> FindBrowserPage(const CaptureEnvironment& env);

// The title as a link keeps it: control characters become spaces.
std::string CleanTitle(const std::string& title);

}  // namespace vesk
