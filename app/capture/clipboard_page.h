// A page handed over by the clipboard or by a drop: the formats browsers offer for a link.
#pragma once

#include <optional>
#include <string>

#include "app/capture/browser_page.h"

namespace vesk {

// What the capture may ask of the clipboard; the desktop program answers from the toolkit's
// clipboard, the command line has none. The texts are the bytes of the format as offered.
class IClipboardSource {
 public:
  virtual ~IClipboardSource() = default;
  // "text/x-moz-url": UTF-16 (little-endian) "URL\nTITLE"; nullopt when not offered.
  virtual std::optional<std::string> MozUrl() = 0;
  // The plain text (UTF-8); nullopt when none.
  virtual std::optional<std::string> Text() = 0;
};

// "URL\nTITLE" in UTF-16 (a byte-order mark is honoured); the title may be missing.
std::optional<BrowserPage> PageFromMozUrl(const std::string& utf16, const std::string& source);
// The first URI of a text/uri-list (comment lines skipped), title empty.
std::optional<BrowserPage> PageFromUriList(const std::string& text, const std::string& source);
// A plain text that is exactly one http(s) URL (surrounding white space ignored), title empty.
std::optional<BrowserPage> PageFromPlainText(const std::string& text, const std::string& source);

// The path of a file URI ("file:///p" or "file://localhost/p"), percent-escapes turned back into
// the file system's bytes; nullopt for any other URI, another host, or an escaped NUL or slash
// trick that is not a plain path.
std::optional<std::string> FilePathFromUri(const std::string& uri);

// The clipboard's page: text/x-moz-url first, then a plain-text URL (source "clipboard").
std::optional<BrowserPage> ClipboardPage(IClipboardSource& clipboard);

}  // namespace vesk
