#include "ui/output_progress_dialog.h"

#include "resources/string_ids.h"

namespace vesk {

COutputProgressDialog::COutputProgressDialog(wxWindow* parent)
    : m_dialog(parent, kIdsOutputProgressTitle, kIdsOutputProgressText, true) {}

}  // namespace vesk
