// vesk-cli renumber FILE: reassigns the serial numbers (after the usual question) and saves.
#include <string>

#include "cli/cli_document.h"

namespace vesk::cli {
namespace {

CommandRegistrar reg(24, [](CLI::App& app, CliContext& ctx) {
  AddFileCommand(app, ctx, "renumber", "Reassign the serial numbers of a document",
                 "Document file (.knd)", [](CliDocument& d) {
                   d.doc.OnRenumber();
                   if (!d.doc.IsModified()) return 1;  // the question was answered with Cancel
                   const std::string path = d.doc.GetPathName();
                   return d.doc.OnSaveDocument(path) ? 0 : 1;
                 });
});

}  // namespace
}  // namespace vesk::cli
