// vesk-cli dump FILE: the document as JSON on stdout.
#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_document.h"
#include "cli/document_json.h"

namespace vesk::cli {
namespace {

struct DumpOptions {
  std::string file;
};

CommandRegistrar reg(21, [](CLI::App& app, CliContext& ctx) {
  auto opts = std::make_shared<DumpOptions>();
  auto* cmd = app.add_subcommand("dump", "Print a document as JSON");
  cmd->add_option("FILE", opts->file, "Document file (.knd)")->required();
  cmd->callback([opts, &ctx] {
    CliDocument d(ctx);
    if (!d.doc.OnOpenDocument(opts->file)) {
      ctx.exitCode = 1;
      return;
    }
    std::cout << DocumentToJson(d.doc).dump(1) << '\n';
    ctx.exitCode = 0;
  });
});

}  // namespace
}  // namespace vesk::cli
