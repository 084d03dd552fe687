#include "document/user_interface.h"

namespace vesk {

MbResult IUserInterface::MessageBox(const std::string& /*text*/, MbButtons buttons,
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

}  // namespace vesk
