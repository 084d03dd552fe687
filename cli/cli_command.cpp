#include "cli/cli_command.h"
#include "cli/terminal_text.h"

#include <iostream>
#include <memory>

#include "cli/cli_document.h"
#include "platform/absolute_path.h"
#include "platform/file_system.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#ifdef _WIN32
#include "settings/settings_registry_backend.h"
#else
#include "settings/settings_file_backend.h"
#endif
#include "text/encoding.h"

namespace vesk::cli {

MbResult CCliUserInterface::MessageBox(const std::string& text, MbButtons buttons,
                                       MbIcon /*icon*/) {
  PrintError(text);
  // A question the command line cannot ask is answered with Cancel/No: say how to answer it.
  if (buttons != MbButtons::Ok && !m_ctx.yes) PrintError(ResString(kIdsCliNeedsYes));
  switch (buttons) {
    case MbButtons::Ok:
      return MbResult::Ok;
    case MbButtons::OkCancel:
      return m_ctx.yes ? MbResult::Ok : MbResult::Cancel;
    case MbButtons::YesNo:
      return m_ctx.yes ? MbResult::Yes : MbResult::No;
    case MbButtons::YesNoCancel:
      return m_ctx.yes ? MbResult::Yes : MbResult::Cancel;
  }
  return MbResult::Cancel;
}

void CCliUserInterface::NoDialog(const char* dialog) {
  // The command that reached a dialog has a fault; say so and take Cancel.
  std::cerr << "vesk-cli: this command needs the dialog " << dialog
            << ", which vesk-cli does not have" << std::endl;
}

CVeskSettings& CliContext::Settings() {
  if (!settings) {
    if (!settingsBackend) {
      settingsBackend = CreatePlatformSettingsBackend();
      // A command that only reads a document leaves the settings as they were.
#ifdef _WIN32
      if (auto* registry = dynamic_cast<platform::CSettingsRegistryBackend*>(settingsBackend.get()))
        registry->SetReadOnly(readOnlySettings);
#else
      if (auto* file = dynamic_cast<platform::CSettingsFileBackend*>(settingsBackend.get()))
        file->SetReadOnly(readOnlySettings);
#endif
    }
    settings = std::make_unique<CVeskSettings>(*settingsBackend);
  }
  return *settings;
}

void CCliUserInterface::ShowOutputResult(const std::string& changed) {
  std::size_t start = 0;
  while (start < changed.size()) {
    std::size_t end = changed.find("\r\n", start);
    if (end == std::string::npos) end = changed.size();
    std::cout << TerminalText(changed.substr(start, end - start)) << '\n';
    start = end + 2;
  }
  std::cout.flush();
}

bool CliDocument::Open(const std::string& file) {
  std::string path;
  return platform::AbsolutePath(file, false, path) && doc.OnOpenDocument(path);
}

void AddFileCommand(CLI::App& app, CliContext& ctx, const std::string& name,
                    const std::string& description, const std::string& fileHelp, FileCommandRun run,
                    bool onlyReads) {
  auto* cmd = app.add_subcommand(name, description);
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, fileHelp)->required();
  cmd->callback([file, run = std::move(run), onlyReads, &ctx] {
    if (onlyReads) ctx.readOnlySettings = true;  // before the settings are first opened
    CliDocument d(ctx);
    ctx.exitCode = d.Open(*file) ? run(d) : 1;
  });
}

bool MayReplaceDocument(CCliUserInterface& ui, const std::string& file) {
  if (platform::GetEntryKind(file) == platform::EntryKind::Missing) return true;
  return ui.MessageBox(ResFormat(kIdsOverwriteAsk, ToCp932(file)), MbButtons::OkCancel,
                       MbIcon::Exclamation) == MbResult::Ok;
}

void PrintError(const std::string& cp932Text) {
  std::cerr << TerminalText(ToUtf8(cp932Text)) << std::endl;
}

std::vector<std::pair<int, CommandSetup>>& CommandRegistry() {
  static std::vector<std::pair<int, CommandSetup>> registry;
  return registry;
}

CommandRegistrar::CommandRegistrar(int order, CommandSetup setup) {
  CommandRegistry().emplace_back(order, std::move(setup));
}

}  // namespace vesk::cli
