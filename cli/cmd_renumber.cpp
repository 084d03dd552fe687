// vesk-cli renumber FILE: reassigns the serial numbers (after the usual question) and saves.
#include "cli/cli_command.h"
#include "cli/cli_document.h"

namespace vesk::cli {
namespace {

struct RenumberOptions {
  std::string file;
};

CommandRegistrar reg(24, [](CLI::App& app, CliContext& ctx) {
  auto opts = std::make_shared<RenumberOptions>();
  auto* cmd = app.add_subcommand("renumber", "Reassign the serial numbers of a document");
  cmd->add_option("FILE", opts->file, "Document file (.knd)")->required();
  cmd->callback([opts, &ctx] {
    ctx.exitCode = 1;
    CliDocument d(ctx);
    if (!d.doc.OnOpenDocument(opts->file)) return;
    d.doc.OnRenumber();
    if (!d.doc.IsModified()) return;  // the question was answered with Cancel
    if (d.doc.OnSaveDocument(opts->file)) ctx.exitCode = 0;
  });
});

}  // namespace
}  // namespace vesk::cli
