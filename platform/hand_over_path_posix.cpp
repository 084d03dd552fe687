#include "platform/hand_over_path.h"

namespace vesk::platform {

bool HandOverPath(const std::string& path, std::string& out) {
  out = path;
  return true;
}

}  // namespace vesk::platform
