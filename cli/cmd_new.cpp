// vesk-cli new FILE: a new document (the three fixed categories) saved to FILE.
#include "cli/cli_command.h"
#include "cli/cli_document.h"

namespace vesk::cli {
namespace {

struct NewOptions {
  std::string file;
};

CommandRegistrar reg(20, [](CLI::App& app, CliContext& ctx) {
  auto opts = std::make_shared<NewOptions>();
  auto* cmd = app.add_subcommand("new", "Create a new document and save it to FILE");
  cmd->add_option("FILE", opts->file, "Document file (.knd)")->required();
  cmd->callback([opts, &ctx] {
    CliDocument d(ctx);
    // An existing collection is never replaced by an empty one without a question.
    if (!MayReplaceDocument(d.ui, opts->file)) {
      ctx.exitCode = 1;
      return;
    }
    ctx.exitCode = d.doc.OnSaveDocument(opts->file) ? 0 : 1;
  });
});

}  // namespace
}  // namespace vesk::cli
