// vesk-cli export-search FILE: the search page that needs no server program, on a document file.
#include "cli/cli_document.h"
#include "publish/static_search.h"

namespace vesk::cli {
namespace {

CommandRegistrar reg(63, [](CLI::App& app, CliContext& ctx) {
  AddFileCommand(app, ctx, "export-search",
                 "Write the search page with its script, index and search file beside the HTML "
                 "pages of FILE; prints the created or changed files",
                 "Collection file (.knd)", [](CliDocument& d) {
                   // "Nothing created or changed" (message 10068) is a success too.
                   return RunSearchPageOutput(d.doc) ? 0 : 1;
                 });
});

}  // namespace
}  // namespace vesk::cli
