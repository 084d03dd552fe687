// vesk-cli browser-page: the page the running browser shows, as the capture command finds it.
#include <iostream>

#include "app/capture/browser_info_client.h"
#include "app/capture/capture_environment.h"
#include "cli/cli_command.h"
#include "cli/terminal_text.h"

namespace vesk::cli {
namespace {

CommandRegistrar reg(67, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "browser-page",
      "Print URL<TAB>TITLE<TAB>SOURCE of the page the running browser shows (firefox, chromium, "
      "chromium-devtools; on Windows first dde)");
  cmd->callback([&ctx] {
    ctx.readOnlySettings = true;
    // The command line reaches no clipboard: only the browsers are asked.
    const CaptureEnvironment env = MakeCaptureEnvironment(ctx.Settings(), nullptr);
    CCliUserInterface ui(ctx);
    std::optional<BrowserPage> page = AskBrowsersByDde(ui);
    if (!page) page = FindBrowserPage(env);
    if (!page) {
      std::cerr << "vesk-cli: no browser page found (no running Firefox or Chromium shows one)\n";
      ctx.exitCode = 1;
      return;
    }
    std::cout << TerminalField(page->url) << '\t' << TerminalField(page->title) << '\t'
              << TerminalField(page->source) << '\n';
    ctx.exitCode = 0;
  });
});

}  // namespace
}  // namespace vesk::cli
