// vesk-cli search-page FILE SERIAL: writes the search page "knrdata.html" of one category beside
// the document file.
#include <cstdint>
#include <iostream>
#include <memory>

#include "cli/cli_document.h"
#include "cli/terminal_text.h"
#include "document/veskdoc.h"
#include "publish/search_page.h"

namespace vesk::cli {
namespace {

int Run(const std::string& file, std::uint32_t serial, CliContext& ctx) {
  CliDocument d(ctx);
  if (!d.Open(file)) return 1;
  CVeskDoc& doc = d.doc;
  LINKINFO* category = doc.FindBySerial(serial);
  if (category == nullptr || !category->IsCategory()) {
    std::cerr << "no category with serial " << serial << '\n';
    return 1;
  }
  doc.SelectCategory(category, true);  // as if picked in the tree: no view here
  std::string page = WriteSearchPageBesideDocument(doc);
  if (page.empty()) return 1;
  std::cout << TerminalText(page) << '\n';
  return 0;
}

CommandRegistrar reg(64, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "search-page",
      "Write the search page knrdata.html of the category SERIAL beside FILE; prints its path");
  auto file = std::make_shared<std::string>();
  auto serial = std::make_shared<std::uint32_t>(0);
  cmd->add_option("FILE", *file, "Collection file (.knd)")->required();
  cmd->add_option("SERIAL", *serial, "Serial number of the category")->required();
  cmd->callback([file, serial, &ctx] { ctx.exitCode = Run(*file, *serial, ctx); });
});

}  // namespace
}  // namespace vesk::cli
