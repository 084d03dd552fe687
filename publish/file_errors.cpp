#include "publish/file_errors.h"

#include <cerrno>
#include <cstdio>

#include "text/encoding.h"

namespace vesk {

void ReportBadFileName(IUserInterface& ui) {
  ui.MessageBox(ToCp932("ファイル名に使用できない文字が有ります。"), MbButtons::Ok, MbIcon::Stop);
}

void ReportBadFileName(IUserInterface& ui, const std::string& name) {
  ui.MessageBox(ToCp932("ファイル名に使用できない文字が有ります。") + "\n" + name, MbButtons::Ok,
                MbIcon::Stop);
}

std::string FileErrorText(int cause) {
  switch (cause) {
    case kFileErrNotFound:
      return ToCp932("ファイルが見つかりません");
    case kFileErrDiskFull:
      return ToCp932("ディスク容量が足りません。");
    default: {
      char text[32];
      std::snprintf(text, sizeof text, " Error Code (%d)", cause);
      return text;
    }
  }
}

void ReportFileError(IUserInterface& ui, int cause) {
  ui.MessageBox(FileErrorText(cause), MbButtons::Ok, MbIcon::Stop);
}

}  // namespace vesk
