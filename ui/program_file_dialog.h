// The file chooser of the search program's "参照..." button.
#pragma once

#include <wx/window.h>

#include <optional>
#include <string>

namespace vesk {

// Asks for an existing program file with the filter of string 10301: executables and all
// files. Where programs carry no ".exe" (POSIX), the executables filter shows the files the
// user may run. The chosen path (the file system's bytes); nullopt when cancelled.
std::optional<std::string> AskProgramFile(wxWindow* owner);

}  // namespace vesk
