// vesk-cli import FILE DATAFILE...: the Read Data File command for each data file, then a save.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_document.h"
#include "cli/terminal_text.h"
#include "document/veskdoc.h"
#include "publish/read_data_file.h"

namespace vesk::cli {
namespace {

int Run(const std::string& file, const std::vector<std::string>& dataFiles, CliContext& ctx) {
  CliDocument d(ctx);
  if (!d.Open(file)) return 1;
  CVeskDoc& doc = d.doc;
  bool allTaken = true;
  for (const std::string& dataFile : dataFiles) {
    LINKINFO* top = doc.GetTopCategory();
    if (doc.GetCurrent() != top) doc.SelectCategory(top, true);
    if (!ReadDataFile(doc, dataFile)) {
      std::cerr << "vesk-cli import: no importer took " << TerminalText(dataFile) << std::endl;
      allTaken = false;
    }
  }
  // All or nothing: a file that was not taken leaves the document file as it was.
  if (!allTaken) return 1;
  const std::string path = doc.GetPathName();
  return doc.OnSaveDocument(path) ? 0 : 1;
}

CommandRegistrar reg(61, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "import",
      "Read CGI data, CSV, shortcut or bookmark files, or a browser's Bookmarks or places.sqlite, "
      "into FILE (Read Data File), then save it");
  auto file = std::make_shared<std::string>();
  auto dataFiles = std::make_shared<std::vector<std::string>>();
  cmd->add_option("FILE", *file, "Collection file (.knd)")->required();
  cmd->add_option("DATAFILE", *dataFiles, "Files to read, in order")->required();
  cmd->callback([file, dataFiles, &ctx] { ctx.exitCode = Run(*file, *dataFiles, ctx); });
});

}  // namespace
}  // namespace vesk::cli
