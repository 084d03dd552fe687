// The progress dialog of a long output run: files written of the total and a cancel button.
#pragma once

#include <cstddef>

#include "publish/output_progress.h"
#include "ui/step_progress_dialog.h"

namespace vesk {

// An output run may stop after any file, so its dialog offers Cancel.
class COutputProgressDialog : public IOutputProgress {
 public:
  explicit COutputProgressDialog(wxWindow* parent);

  void Begin(std::size_t total) override { m_dialog.Begin(total); }
  bool FileDone(std::size_t done, std::size_t total) override {
    return m_dialog.Update(done, total);
  }
  void End() override { m_dialog.End(); }

 private:
  CStepProgressDialog m_dialog;
};

}  // namespace vesk
