// vesk-cli info FILE: the status-bar counts, then the file's version and sizes.
#include <iostream>

#include "cli/cli_document.h"

namespace vesk::cli {
namespace {

CommandRegistrar reg(23, [](CLI::App& app, CliContext& ctx) {
  AddFileCommand(
      app, ctx, "info", "Show the counts of a document", "Document file (.knd)",
      [](CliDocument& d) {
        std::cout << d.doc.StatusCounts() << '\n'
                  << "version: " << d.doc.GetLoadedVersion() << '\n'
                  << "nodes: " << d.doc.GetNodeList().size() << '\n'
                  << "nextSerial: " << d.doc.GetNextSerial() << '\n';
        return 0;
      },
      /*onlyReads=*/true);
});

}  // namespace
}  // namespace vesk::cli
