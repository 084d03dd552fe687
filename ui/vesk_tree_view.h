// CVeskTreeView: the left pane, the category tree of the document (display and selection).
#pragma once

#include <wx/treectrl.h>

#include "document/view_hints.h"

namespace vesk {

class CVeskDoc;

class CVeskTreeView : public wxTreeCtrl, public IDocView {
 public:
  CVeskTreeView(wxWindow* parent, CVeskDoc& doc);
  ~CVeskTreeView() override;

  // Starts over with the document's categories (after new and open).
  void OnInitialUpdate();
  void OnUpdate(int hint, LINKINFO* node) override;

 private:
  void InsertCategory(LINKINFO* node);
  void OnSelChanged(wxTreeEvent& event);
  static wxTreeItemId ItemOf(const LINKINFO* node);
  LINKINFO* NodeOf(const wxTreeItemId& item) const;
  template <class F>
  void ForEachItem(const wxTreeItemId& item, F&& f);

  CVeskDoc& m_doc;
  wxTreeItemId m_root;  // hidden; the three fixed categories are its children
  bool m_filling = false;
};

}  // namespace vesk
