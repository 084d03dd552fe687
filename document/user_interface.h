// What the core asks of the user, injected so that tests can script the answers.
#pragma once

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
  std::string bannerBase;  // folder a banner image path is made relative to
};

// Search dialog state: history (TAB-joined, newest first) in, typed text and mode out.
struct FindDialogState {
  std::string history;
  std::string text;
  int mode = 0;
};

// Every method has a harmless default (cancel, no answer) so fakes override only what they use.
// All texts are Shift_JIS; paths (the file dialogs' proposals and answers, the output result
// list) are the file system's bytes.
class IUserInterface {
 public:
  virtual ~IUserInterface() = default;
  virtual MbResult MessageBox(const std::string& text, MbButtons buttons, MbIcon icon);
  virtual void Beep() {}
  virtual bool EditCategory(CategoryFields& /*fields*/) { return false; }
  virtual bool EditLink(LinkFields& /*fields*/) { return false; }
  virtual bool EditCgiSettings(FILEINFO& /*info*/) { return false; }
  virtual bool EditHtmlSettings(FILEINFO& /*info*/) { return false; }
  virtual bool RunSettingsSheet() { return false; }
  virtual bool RunFindDialog(FindDialogState& /*state*/) { return false; }
  // File dialogs; filter in the "text|pattern|...||" form. nullopt = cancelled.
  virtual std::optional<std::string> AskSavePath(const std::string& /*proposed*/,
                                                 const std::string& /*filter*/) {
    return std::nullopt;
  }
  virtual std::optional<std::string> AskOpenPath(const std::string& /*filter*/) {
    return std::nullopt;
  }
  // The output result list ("出力結果"); changed = paths, each followed by CR LF.
  virtual void ShowOutputResult(const std::string& /*changed*/) {}
};

}  // namespace vesk
