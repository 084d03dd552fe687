// vesk-cli: the headless companion of the desktop program.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>

#include "cli/cli_command.h"

int main(int argc, char** argv) {
  using namespace vesk::cli;
  CLI::App app{"vesk-cli: work on Vesk link collections without the desktop program"};
  app.set_version_flag("--version", std::string("vesk-cli ") + VESK_VERSION);
  CliContext ctx;
  app.add_flag("--yes", ctx.yes, "Answer OK/Yes where the program would ask");
  app.require_subcommand(0, 1);
  app.fallthrough();  // --yes may also stand after the command
  auto& registry = CommandRegistry();
  std::stable_sort(registry.begin(), registry.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& entry : registry) entry.second(app, ctx);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int rc = app.exit(e);
    return rc == 0 ? 0 : 2;
  }
  if (app.get_subcommands().empty()) {
    std::cout << app.help();
    return 0;
  }
  return ctx.exitCode;
}
