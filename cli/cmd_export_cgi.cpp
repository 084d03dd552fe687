// vesk-cli export-cgi FILE: the CGI data output command on a document file.
#include <memory>

#include "cli/cli_command.h"
#include "cli/cli_document.h"
#include "document/veskdoc.h"
#include "publish/cgi_data.h"

namespace vesk::cli {
namespace {

int Run(const std::string& file, CliContext& ctx) {
  CCliUserInterface ui(ctx);
  CVeskDoc doc(ctx.Settings(), ui);
  if (!OpenDocumentFile(doc, file)) return 1;
  return RunCgiOutput(doc) ? 0 : 1;
}

CommandRegistrar reg(60, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "export-cgi",
      "Write the CGI data files beside FILE (or into its CGI folder); prints the "
      "created or changed files");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "Collection file (.knd)")->required();
  cmd->callback([file, &ctx] { ctx.exitCode = Run(*file, ctx); });
});

}  // namespace
}  // namespace vesk::cli
