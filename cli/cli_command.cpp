#include "cli/cli_command.h"

#include <iostream>

#include "publish/encoding.h"

namespace vesk::cli {

MbResult CCliUserInterface::MessageBox(const std::string& text, MbButtons buttons,
                                       MbIcon /*icon*/) {
  PrintError(text);
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

CVeskSettings& CliContext::Settings() {
  if (!settings) {
    if (!settingsBackend) settingsBackend = CreatePlatformSettingsBackend();
    settings = std::make_unique<CVeskSettings>(*settingsBackend);
  }
  return *settings;
}

void PrintError(const std::string& sjisText) { std::cerr << ToUtf8(sjisText) << std::endl; }

std::vector<std::pair<int, CommandSetup>>& CommandRegistry() {
  static std::vector<std::pair<int, CommandSetup>> registry;
  return registry;
}

CommandRegistrar::CommandRegistrar(int order, CommandSetup setup) {
  CommandRegistry().emplace_back(order, std::move(setup));
}

}  // namespace vesk::cli
