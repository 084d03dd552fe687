// vesk-cli dump FILE: the document as JSON on stdout.
#include <iostream>

#include "cli/cli_document.h"
#include "cli/document_json.h"

namespace vesk::cli {
namespace {

CommandRegistrar reg(21, [](CLI::App& app, CliContext& ctx) {
  AddFileCommand(
      app, ctx, "dump", "Print a document as JSON", "Document file (.knd)",
      [](CliDocument& d) {
        std::cout << DocumentToJson(d.doc).dump(1) << '\n';
        return 0;
      },
      /*onlyReads=*/true);
});

}  // namespace
}  // namespace vesk::cli
