// The toolkit's clipboard as the browser capture's last source.
#pragma once

#include "app/capture/clipboard_page.h"

namespace vesk {

// Reads text/x-moz-url and the plain text from the system clipboard at the moment of asking.
class CWxClipboardSource : public IClipboardSource {
 public:
  std::optional<std::string> MozUrl() override;
  std::optional<std::string> Text() override;
};

}  // namespace vesk
