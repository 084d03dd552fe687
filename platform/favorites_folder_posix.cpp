#include "platform/favorites_folder.h"

namespace vesk::platform {

std::string SystemFavoritesFolder() { return {}; }

}  // namespace vesk::platform
