// The capture's environment as the programs use it: this process's folders, the port from the
// settings and the endpoint asked over the network library.
#pragma once

#include "app/capture/browser_capture.h"

namespace vesk {

class CVeskSettings;

// Folders of this process, "DevToolsPort" of the settings, the loopback endpoint, and the
// clipboard given (may be null).
CaptureEnvironment MakeCaptureEnvironment(CVeskSettings& settings, IClipboardSource* clipboard);

}  // namespace vesk
