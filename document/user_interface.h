// What the core asks of the user, injected so that tests can script the answers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vesk {

struct LINKINFO;
struct FILEINFO;

enum class MbIcon { None, Information, Exclamation, Stop, Question };
enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MbResult { Ok, Cancel, Yes, No };

// Values of the category dialog.
struct CategoryFields {
  std::string title;
  std::string fileName;
  std::string comment;
  bool fileNameEnabled = false;  // off while automatic file names are on
};

// Values of the link property sheet.
struct LinkFields {
  std::string title, url, admin, email, comment, banner, keywords;
  int year = 0, month = 0, day = 0, mark = 0, flags = 0;
  std::string genreList;   // shown, never changed by the sheet
  std::string bannerBase;  // folder a banner image path is made relative to (file-system bytes)
};

// Search dialog state: history (TAB-joined, newest first) in, typed text and mode out.
struct FindDialogState {
  std::string history;
  std::string text;
  int mode = 0;
};

// The document's steps that can run long enough on a big document to show their progress.
enum class ProgressStep { Find, EmptyTrash, DeleteLinks, Undo };

// What the document asks of the user. Every implementation answers every method: a dialog it
// does not have must fail loudly, never quietly cancel. All texts are Shift_JIS; paths (the file
// dialogs' proposals and answers, the output result list) are the file system's bytes.
class IUserInterface {
 public:
  virtual ~IUserInterface() = default;
  virtual MbResult MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) = 0;
  // A box of no window with a caption of its own; a user interface without captions shows it as
  // any other.
  virtual MbResult CaptionedMessageBox(const std::string& text, const std::string& caption,
                                       MbButtons buttons, MbIcon icon) {
    (void)caption;
    return MessageBox(text, buttons, icon);
  }
  virtual void Beep() = 0;
  // The document dialogs; true when closed with OK, with the fields taken back.
  virtual bool EditCategory(CategoryFields& fields) = 0;
  virtual bool EditLink(LinkFields& fields) = 0;
  virtual bool EditCgiSettings(FILEINFO& info) = 0;
  virtual bool EditHtmlSettings(FILEINFO& info) = 0;
  virtual bool RunSettingsSheet() = 0;
  virtual bool RunFindDialog(FindDialogState& state) = 0;
  // File dialogs; filter in the "text|pattern|...||" form. nullopt = cancelled.
  virtual std::optional<std::string> AskSavePath(const std::string& proposed,
                                                 const std::string& filter) = 0;
  virtual std::optional<std::string> AskOpenPath(const std::string& filter) = 0;
  // False for a user interface that cannot remember an answer beyond one run (the command
  // line asks again, through --yes, every time).
  virtual bool KeepsAnswers() const { return true; }
  // The output result list ("出力結果"); changed = paths, each followed by CR LF.
  virtual void ShowOutputResult(const std::string& changed) = 0;
  // A long step begins: total units of work follow. Only a step that can stop at any unit
  // and leave the document whole (one that changes nothing) is cancellable.
  virtual void BeginProgress(ProgressStep step, std::size_t total, bool cancellable) = 0;
  // done of total units are finished, done rising; false asks a cancellable step to stop
  // (a step that is not cancellable goes on).
  virtual bool StepProgress(std::size_t done) = 0;
  // The step is over, finished or stopped.
  virtual void EndProgress() = 0;
};

// No user at hand (the command line, fuzzing, benchmarks): message boxes take the answer that
// changes nothing and results are dropped; every dialog goes to NoDialog and is cancelled.
class CHeadlessUserInterface : public IUserInterface {
 public:
  MbResult MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  void Beep() override {}
  bool EditCategory(CategoryFields& fields) override;
  bool EditLink(LinkFields& fields) override;
  bool EditCgiSettings(FILEINFO& info) override;
  bool EditHtmlSettings(FILEINFO& info) override;
  bool RunSettingsSheet() override;
  bool RunFindDialog(FindDialogState& state) override;
  std::optional<std::string> AskSavePath(const std::string& proposed,
                                         const std::string& filter) override;
  std::optional<std::string> AskOpenPath(const std::string& filter) override;
  void ShowOutputResult(const std::string& /*changed*/) override {}
  void BeginProgress(ProgressStep, std::size_t, bool) override {}
  bool StepProgress(std::size_t) override { return true; }
  void EndProgress() override {}

 protected:
  // A dialog reached without a user is a fault of the caller: throws std::logic_error naming it.
  virtual void NoDialog(const char* dialog);
};

}  // namespace vesk
