// The one scripted user of the tests: records every message, answers from a script, and fails
// the test when a dialog is reached that the test did not script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/user_interface.h"
#include "text/encoding.h"

namespace vesk::test {

// One long step as the document reported it.
struct ProgressRun {
  ProgressStep step;
  std::size_t total = 0;
  bool cancellable = false;
  std::vector<std::size_t> done;  // every StepProgress, in order
  bool ended = false;
};

struct ShownMessage {
  std::string text;  // Shift_JIS, as the document passed it
  MbButtons buttons;
  MbIcon icon;
  std::string Utf8() const { return ToUtf8(text); }
};

class ScriptedUI : public IUserInterface {
 public:
  // A box with only OK answers OK; a question takes the next of answers, else answer, else the
  // answer that changes nothing (No, Cancel).
  MbResult MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override {
    messages.push_back({text, buttons, icon});
    if (!answers.empty()) {
      const MbResult r = answers.front();
      answers.pop_front();
      return r;
    }
    if (buttons == MbButtons::Ok) return MbResult::Ok;
    if (answer) return *answer;
    return buttons == MbButtons::YesNo ? MbResult::No : MbResult::Cancel;
  }
  MbResult CaptionedMessageBox(const std::string& text, const std::string& caption,
                               MbButtons buttons, MbIcon icon) override {
    captions.push_back(caption);
    return MessageBox(text, buttons, icon);
  }
  void Beep() override { ++beeps; }
  bool EditCategory(CategoryFields& f) override { return Run("EditCategory", onCategory, f); }
  bool EditLink(LinkFields& f) override { return Run("EditLink", onLink, f); }
  bool EditCgiSettings(FILEINFO& f) override { return Run("EditCgiSettings", onCgi, f); }
  bool EditHtmlSettings(FILEINFO& f) override { return Run("EditHtmlSettings", onHtml, f); }
  bool RunSettingsSheet() override {
    if (!onSettingsSheet) return Unscripted("RunSettingsSheet");
    return onSettingsSheet();
  }
  bool RunFindDialog(FindDialogState& s) override { return Run("RunFindDialog", onFind, s); }
  std::optional<std::string> AskSavePath(const std::string& proposed,
                                         const std::string& filter) override {
    askedProposed.push_back(proposed);
    askedFilter.push_back(filter);
    return NextPath("AskSavePath", savePaths, savePath);
  }
  std::optional<std::string> AskOpenPath(const std::string& filter) override {
    askedFilter.push_back(filter);
    return NextPath("AskOpenPath", openPaths, openPath);
  }
  void ShowOutputResult(const std::string& changed) override { results.push_back(changed); }
  void BeginProgress(ProgressStep step, std::size_t total, bool cancellable) override {
    if (!progress.empty() && !progress.back().ended) ADD_FAILURE() << "progress begun twice";
    progress.push_back({step, total, cancellable, {}, false});
  }
  bool StepProgress(std::size_t done) override {
    if (progress.empty() || progress.back().ended) {
      ADD_FAILURE() << "progress outside a step";
      return true;
    }
    progress.back().done.push_back(done);
    return !(stopProgressAt && done >= *stopProgressAt);
  }
  void EndProgress() override {
    if (progress.empty() || progress.back().ended) ADD_FAILURE() << "progress ended twice";
    if (!progress.empty()) progress.back().ended = true;
  }

  std::vector<ShownMessage> messages;
  std::vector<std::string> captions;  // of the boxes that came with a caption of their own
  std::deque<MbResult> answers;
  std::optional<MbResult> answer;
  int beeps = 0;
  std::vector<std::string> results;   // every output result list shown
  std::vector<ProgressRun> progress;  // every long step reported
  // The user presses Cancel as soon as a step reports this many units done.
  std::optional<std::size_t> stopProgressAt;

  std::function<bool(CategoryFields&)> onCategory;
  std::function<bool(LinkFields&)> onLink;
  std::function<bool(FILEINFO&)> onCgi;
  std::function<bool(FILEINFO&)> onHtml;
  std::function<bool()> onSettingsSheet;
  std::function<bool(FindDialogState&)> onFind;

  // File dialogs: the next of the queue (nullopt = Cancel), else the one fixed path.
  std::deque<std::optional<std::string>> savePaths, openPaths;
  std::optional<std::string> savePath, openPath;
  std::vector<std::string> askedProposed;
  std::vector<std::string> askedFilter;

 private:
  static bool Unscripted(const char* dialog) {
    ADD_FAILURE() << "the test did not script the dialog " << dialog;
    return false;
  }
  template <typename Fields>
  static bool Run(const char* dialog, const std::function<bool(Fields&)>& script, Fields& f) {
    if (!script) return Unscripted(dialog);
    return script(f);
  }
  static std::optional<std::string> NextPath(const char* dialog,
                                             std::deque<std::optional<std::string>>& queue,
                                             const std::optional<std::string>& fixed) {
    if (!queue.empty()) {
      std::optional<std::string> r = queue.front();
      queue.pop_front();
      return r;
    }
    if (!fixed) Unscripted(dialog);
    return fixed;
  }
};

}  // namespace vesk::test
