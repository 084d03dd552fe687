#include "document/user_interface.h"

#include <stdexcept>

namespace vesk {

MbResult CHeadlessUserInterface::MessageBox(const std::string& /*text*/, MbButtons buttons,
                                            MbIcon /*icon*/) {
  // Without a user the safe answer is the one that changes nothing.
  switch (buttons) {
    case MbButtons::Ok:
      return MbResult::Ok;
    case MbButtons::YesNo:
      return MbResult::No;
    case MbButtons::OkCancel:
    case MbButtons::YesNoCancel:
      break;
  }
  return MbResult::Cancel;
}

void CHeadlessUserInterface::NoDialog(const char* dialog) {
  throw std::logic_error(std::string("no user to answer the dialog ") + dialog);
}

bool CHeadlessUserInterface::EditCategory(CategoryFields&) {
  NoDialog("EditCategory");
  return false;
}

bool CHeadlessUserInterface::EditLink(LinkFields&) {
  NoDialog("EditLink");
  return false;
}

bool CHeadlessUserInterface::EditCgiSettings(FILEINFO&) {
  NoDialog("EditCgiSettings");
  return false;
}

bool CHeadlessUserInterface::EditHtmlSettings(FILEINFO&) {
  NoDialog("EditHtmlSettings");
  return false;
}

bool CHeadlessUserInterface::RunSettingsSheet() {
  NoDialog("RunSettingsSheet");
  return false;
}

bool CHeadlessUserInterface::RunFindDialog(FindDialogState&) {
  NoDialog("RunFindDialog");
  return false;
}

std::optional<std::string> CHeadlessUserInterface::AskSavePath(const std::string&,
                                                               const std::string&) {
  NoDialog("AskSavePath");
  return std::nullopt;
}

std::optional<std::string> CHeadlessUserInterface::AskOpenPath(const std::string&) {
  NoDialog("AskOpenPath");
  return std::nullopt;
}

}  // namespace vesk
