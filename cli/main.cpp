// vesk-cli: the headless companion of the desktop program.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>

#include "cli/cli_command.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <string>
#include <vector>

#include "platform/windows_path_win.h"
#endif

namespace {

int Run(int argc, char** argv) {
  using namespace vesk::cli;
  CLI::App app{"vesk-cli: work on Vesk link collections without the desktop program"};
  app.set_version_flag("--version", std::string("vesk-cli ") + VESK_VERSION);
  CliContext ctx;
  app.add_flag("--yes", ctx.yes, "Answer OK/Yes where the program would ask");
  // "/path" is a path on every system, never an option; the subcommands inherit this.
  app.allow_windows_style_options(false);
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

}  // namespace

#ifdef _WIN32
// The arguments arrive in UTF-16 and go on in UTF-8, like every text at the program's edges;
// the output streams are binary so that what is printed is the same bytes as on Linux.
int wmain(int argc, wchar_t** wargv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i)
    args.push_back(vesk::platform::FromWide(wargv[i], wcslen(wargv[i])));
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return Run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return Run(argc, argv); }
#endif
