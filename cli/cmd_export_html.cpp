// vesk-cli export-html FILE: the HTML output command on a document file.
#include "cli/cli_document.h"
#include "publish/html_pages.h"

namespace vesk::cli {
namespace {

CommandRegistrar reg(62, [](CLI::App& app, CliContext& ctx) {
  AddFileCommand(app, ctx, "export-html",
                 "Write the HTML link pages beside FILE (or into its HTML folder) from its "
                 "template; prints the created or changed files",
                 "Collection file (.knd)", [](CliDocument& d) {
                   // "Nothing created or changed" (message 10068) is a success too.
                   return RunHtmlOutput(d.doc) ? 0 : 1;
                 });
});

}  // namespace
}  // namespace vesk::cli
