#include "document/show_category.h"

namespace vesk {

void ShowCategory(CVeskDoc& doc, LINKINFO* category) {
  if (doc.GetCurrent() == category) {
    doc.ShowCurrentCategory();
    return;
  }
  doc.SelectCategory(category, false);
}

}  // namespace vesk
