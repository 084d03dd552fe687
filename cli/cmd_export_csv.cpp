// vesk-cli export-csv FILE SERIAL: the CSV output command with the category of SERIAL current.
#include <cstdint>
#include <memory>
#include <string>

#include "cli/cli_document.h"
#include "document/veskdoc.h"
#include "publish/csv_file.h"

namespace vesk::cli {
namespace {

struct ExportCsvArgs {
  std::string file;
  std::uint32_t serial = 0;
};

int RunExportCsv(const ExportCsvArgs& args, CliContext& ctx) {
  CliDocument d(ctx);
  if (!d.Open(args.file)) return 1;  // the document reported why
  CVeskDoc& doc = d.doc;
  LINKINFO* category = doc.FindBySerial(args.serial);
  if (!category || !category->IsCategory()) {
    PrintError("no category with serial " + std::to_string(args.serial));
    return 1;
  }
  // As a selection in the tree would: the category becomes the current one.
  doc.SelectCategory(category, true);
  return ExportCsv(doc) ? 0 : 1;
}

CommandRegistrar reg(310, [](CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<ExportCsvArgs>();
  CLI::App* cmd = app.add_subcommand(
      "export-csv", "Write the links of one category as a CSV file beside the document");
  cmd->add_option("FILE", args->file, "Document file (.knd)")->required();
  cmd->add_option("SERIAL", args->serial, "Serial number of the category to export")->required();
  cmd->callback([args, &ctx] { ctx.exitCode = RunExportCsv(*args, ctx); });
});

}  // namespace
}  // namespace vesk::cli
