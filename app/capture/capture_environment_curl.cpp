#include "app/capture/capture_environment.h"
#include "app/capture/devtools_list.h"
#include "settings/vesk_settings.h"

namespace vesk {

CaptureEnvironment MakeCaptureEnvironment(CVeskSettings& settings, IClipboardSource* clipboard) {
  CaptureEnvironment env = ProcessCaptureEnvironment();
  env.devToolsPort = settings.GetDevToolsPort();
  env.fetchDevTools = FetchDevToolsList;
  env.clipboard = clipboard;
  return env;
}

}  // namespace vesk
