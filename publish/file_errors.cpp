#include "publish/file_errors.h"

#include "text/encoding.h"

namespace vesk {

void ReportBadFileName(IUserInterface& ui) {
  ui.MessageBox(ToCp932("ファイル名に使用できない文字が有ります。"), MbButtons::Ok, MbIcon::Stop);
}

void ReportBadFileName(IUserInterface& ui, const std::string& name) {
  ui.MessageBox(ToCp932("ファイル名に使用できない文字が有ります。") + "\n" + name, MbButtons::Ok,
                MbIcon::Stop);
}

void ReportFileError(IUserInterface& ui, FileErrorCause cause) {
  ui.MessageBox(FileErrorText(cause), MbButtons::Ok, MbIcon::Stop);
}

void ReportFileError(IUserInterface& ui, FileErrorCause cause, const std::string& path) {
  ui.MessageBox(FileErrorText(cause, path), MbButtons::Ok, MbIcon::Stop);
}

}  // namespace vesk
