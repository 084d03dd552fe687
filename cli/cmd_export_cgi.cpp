// vesk-cli export-cgi FILE: the CGI data output command on a document file.
#include "cli/cli_document.h"
#include "publish/cgi_data.h"

namespace vesk::cli {
namespace {

CommandRegistrar reg(60, [](CLI::App& app, CliContext& ctx) {
  AddFileCommand(app, ctx, "export-cgi",
                 "Write the CGI data files beside FILE (or into its CGI folder); prints the "
                 "created or changed files",
                 "Collection file (.knd)",
                 [](CliDocument& d) { return RunCgiOutput(d.doc) ? 0 : 1; });
});

}  // namespace
}  // namespace vesk::cli
