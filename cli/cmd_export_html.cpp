// vesk-cli export-html FILE: the HTML output command on a document file.
#include <memory>

#include "cli/cli_command.h"
#include "cli/cli_document.h"
#include "document/veskdoc.h"
#include "publish/html_pages.h"

namespace vesk::cli {
namespace {

int Run(const std::string& file, CliContext& ctx) {
  CCliUserInterface ui(ctx);
  CVeskDoc doc(ctx.Settings(), ui);
  if (!OpenDocumentFile(doc, file)) return 1;
  // "Nothing created or changed" (message 10068) is a success too.
  return RunHtmlOutput(doc) ? 0 : 1;
}

CommandRegistrar reg(62, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "export-html",
      "Write the HTML link pages beside FILE (or into its HTML folder) from its template; "
      "prints the created or changed files");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "Collection file (.knd)")->required();
  cmd->callback([file, &ctx] { ctx.exitCode = Run(*file, ctx); });
});

}  // namespace
}  // namespace vesk::cli
