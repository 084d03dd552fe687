// An optional record of what the main window shows, written for the desktop tests: when the
// environment names a file in VESK_UI_TRACE, each change is appended there as "key=value".
#pragma once

#include <string>

namespace vesk {

// Appends "key=value" (value in UTF-8) when tracing is on; does nothing otherwise.
void TraceUi(const std::string& key, const std::string& utf8Value);
// Whether tracing is on (to skip work done only for the trace).
bool TraceUiEnabled();

}  // namespace vesk
