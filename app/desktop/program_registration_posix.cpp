// On a freedesktop desktop: the desktop entry, MIME type and icon of the user.
#include "app/desktop/desktop_registration.h"
#include "app/desktop/program_registration.h"

namespace vesk {

bool RegisterProgram(const std::string& programPath) {
  const XdgPlaces places = XdgPlacesFromEnvironment();
  UpdateDesktopDatabases(places, RegisterDesktopFiles(places, programPath));
  return places.dataHome.empty() || programPath.empty() || !DesktopEntryText(programPath).empty();
}

void UnregisterProgram() {
  const XdgPlaces places = XdgPlacesFromEnvironment();
  UpdateDesktopDatabases(places, UnregisterDesktopFiles(places));
}

}  // namespace vesk
