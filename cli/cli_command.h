// How vesk-cli commands plug in: each command file registers itself with one setup function.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/user_interface.h"
#include "settings/settings_backend.h"
#include "settings/vesk_settings.h"

namespace vesk::cli {

// Shared state of one vesk-cli run.
struct CliContext {
  bool yes = false;  // --yes: answer OK/Yes where the program would ask
  // Set by a command that only reads a document, before the settings are first used: the
  // settings file is then never written.
  bool readOnlySettings = false;
  int exitCode = 0;  // set by the command that ran

  // The settings store, opened on first use on the platform's persistent backend.
  CVeskSettings& Settings();

  std::unique_ptr<ISettingsBackend> settingsBackend;  // may be set before first use
  std::unique_ptr<CVeskSettings> settings;
};

// Message boxes go to stderr in UTF-8; questions take Cancel/No unless --yes was given. The
// command line has no dialogs: one that a command reaches is reported on stderr and cancelled.
class CCliUserInterface : public CHeadlessUserInterface {
 public:
  explicit CCliUserInterface(const CliContext& ctx) : m_ctx(ctx) {}
  MbResult MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  // Every run asks again through --yes: nothing is remembered in the settings.
  bool KeepsAnswers() const override { return false; }
  // The output result list: one full path per line on stdout.
  void ShowOutputResult(const std::string& changed) override;

 protected:
  void NoDialog(const char* dialog) override;

 private:
  const CliContext& m_ctx;
};

// True when FILE may be written as a new document: it does not exist yet, or the user
// answered the overwrite question with OK (--yes).
bool MayReplaceDocument(CCliUserInterface& ui, const std::string& file);

// Prints a Shift_JIS message to stderr as one UTF-8 line.
void PrintError(const std::string& cp932Text);

using CommandSetup = std::function<void(CLI::App& app, CliContext& ctx)>;

// Registers a command at static-initialisation time; the order key sorts the help listing.
struct CommandRegistrar {
  CommandRegistrar(int order, CommandSetup setup);
};

std::vector<std::pair<int, CommandSetup>>& CommandRegistry();

}  // namespace vesk::cli
