// The Favorites output dialog "お気に入りへ出力": how the collection goes to the Favorites folder.
#pragma once

#include <wx/window.h>

#include <optional>

namespace vesk {

// Shows the dialog with the first choice preselected; the chosen option (0-3), or nullopt when
// cancelled.
std::optional<int> RunFavoritesExportDialog(wxWindow* parent);

}  // namespace vesk
