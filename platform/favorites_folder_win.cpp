#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include <cwchar>

#include "platform/favorites_folder.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {

std::string SystemFavoritesFolder() {
  PWSTR wide = nullptr;
  std::string path;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Favorites, KF_FLAG_CREATE, nullptr, &wide)))
    path = FromWide(wide, std::wcslen(wide));
  ::CoTaskMemFree(wide);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace vesk::platform
