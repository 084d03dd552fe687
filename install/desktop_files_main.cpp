// Writes the desktop entry, the MIME package and the icon of a system-wide install, with the
// same code that registers the program for one user.
#include <cstdio>

#include "app/desktop/desktop_registration.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: vesk-desktop-files FOLDER INSTALLED-PROGRAM-PATH\n", stderr);
    return 2;
  }
  if (!vesk::WriteDesktopFilesForInstall(argv[1], argv[2])) {
    std::fprintf(stderr, "vesk-desktop-files: cannot write the files into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
