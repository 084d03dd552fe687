// vesk-cli info FILE: the status-bar counts, then the file's version and sizes.
#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_document.h"

namespace vesk::cli {
namespace {

struct InfoOptions {
  std::string file;
};

CommandRegistrar reg(23, [](CLI::App& app, CliContext& ctx) {
  auto opts = std::make_shared<InfoOptions>();
  auto* cmd = app.add_subcommand("info", "Show the counts of a document");
  cmd->add_option("FILE", opts->file, "Document file (.knd)")->required();
  cmd->callback([opts, &ctx] {
    CliDocument d(ctx);
    if (!d.doc.OnOpenDocument(opts->file)) {
      ctx.exitCode = 1;
      return;
    }
    std::cout << d.doc.StatusCounts() << '\n'
              << "version: " << d.doc.GetLoadedVersion() << '\n'
              << "nodes: " << d.doc.GetNodeList().size() << '\n'
              << "nextSerial: " << d.doc.GetNextSerial() << '\n';
    ctx.exitCode = 0;
  });
});

}  // namespace
}  // namespace vesk::cli
