// The two file-failure messages every output and import shows.
#pragma once

#include <string>

#include "document/user_interface.h"
#include "platform/file_error_cause.h"

namespace vesk {

// "ファイル名に使用できない文字が有ります。" with the stop icon: an output or temporary file
// could not be created.
void ReportBadFileName(IUserInterface& ui);
// The same message followed by a line with the refused name (Shift_JIS).
void ReportBadFileName(IUserInterface& ui, const std::string& name);

// The message for a failed read or write, stop icon: cause 2 "ファイルが見つかりません",
// 13 "ディスク容量が足りません。", any other " Error Code (%d)".
void ReportFileError(IUserInterface& ui, int cause);
// The text ReportFileError shows (Shift_JIS).
std::string FileErrorText(int cause);

}  // namespace vesk
