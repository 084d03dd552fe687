#include "ui/wx_clipboard_source.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

namespace vesk {

std::optional<std::string> CWxClipboardSource::MozUrl() {
  wxClipboardLocker lock;
  if (!lock) return std::nullopt;
  const wxDataFormat format("text/x-moz-url");
  if (!wxTheClipboard->IsSupported(format)) return std::nullopt;
  wxCustomDataObject data(format);
  if (!wxTheClipboard->GetData(data)) return std::nullopt;
  return std::string(static_cast<const char*>(data.GetData()), data.GetSize());
}

std::optional<std::string> CWxClipboardSource::Text() {
  wxClipboardLocker lock;
  if (!lock) return std::nullopt;
  if (!wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && !wxTheClipboard->IsSupported(wxDF_TEXT))
    return std::nullopt;
  wxTextDataObject data;
  if (!wxTheClipboard->GetData(data)) return std::nullopt;
  return data.GetText().utf8_string();
}

}  // namespace vesk
