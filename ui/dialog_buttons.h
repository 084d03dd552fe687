// The OK/Cancel row every dialog ends with, and the check that OK runs.
#pragma once

#include <wx/dialog.h>
#include <wx/sizer.h>

#include <functional>
#include <optional>

#include "document/dialog_rules.h"

namespace vesk {

// Reads the controls and, when they pass, takes the values; returns the refused field otherwise.
using DialogOkCheck = std::function<std::optional<FieldError>()>;

// Shows the refusal of a field with the exclamation icon and gives the field the focus.
void ReportRefusedField(wxDialog& dialog, const FieldError& error);

// Adds the OK (default, labelled okLabel) and "キャンセル" buttons at the foot of top. OK runs
// check: a refused field shows its message and takes the focus, and the dialog stays open; else
// the dialog ends with wxID_OK. Cancel and the close box leave every value as it was.
void AddOkCancelRow(wxDialog& dialog, wxSizer& top, const wxString& okLabel, DialogOkCheck check);

}  // namespace vesk
