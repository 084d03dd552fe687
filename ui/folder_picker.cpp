#include "ui/folder_picker.h"

#include <wx/dirdlg.h>

#include "ui/wx_text.h"

namespace vesk {

std::optional<std::string> CFolderPicker::Run(const std::string& initialFolder) {
  wxDirDialog dialog(m_owner, U8("フォルダを選択してください"), FromPath(initialFolder),
                     wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  std::string path = ToPath(dialog.GetPath());
  if (path.empty()) return std::nullopt;
  return path;
}

}  // namespace vesk
