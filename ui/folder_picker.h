// CFolderPicker: the folder chooser that the output settings dialogs open from "参照...".
#pragma once

#include <wx/window.h>

#include <optional>
#include <string>

namespace vesk {

class CFolderPicker {
 public:
  explicit CFolderPicker(wxWindow* owner) : m_owner(owner) {}
  // The chosen folder (the file system's bytes); nullopt when cancelled or nothing was chosen.
  std::optional<std::string> Run(const std::string& initialFolder = {});

 private:
  wxWindow* m_owner;
};

}  // namespace vesk
