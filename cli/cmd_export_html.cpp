// vesk-cli export-html FILE: the HTML output command on a document file.
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/cli_command.h"
#include "document/veskdoc.h"
#include "publish/html_pages.h"

namespace vesk::cli {
namespace {

// Prints the output result list, one full path per line in commit order, on stdout.
class CHtmlExportUi : public CCliUserInterface {
 public:
  using CCliUserInterface::CCliUserInterface;
  void ShowOutputResult(const std::string& changed) override {
    std::size_t start = 0;
    while (start < changed.size()) {
      std::size_t end = changed.find("\r\n", start);
      if (end == std::string::npos) end = changed.size();
      std::cout << changed.substr(start, end - start) << '\n';
      start = end + 2;
    }
    std::cout.flush();
  }
};

int Run(const std::string& file, CliContext& ctx) {
  CHtmlExportUi ui(ctx);
  CVeskDoc doc(ctx.Settings(), ui);
  std::error_code ec;
  std::string path = std::filesystem::absolute(file, ec).string();
  if (ec || !doc.OnOpenDocument(path)) return 1;
  doc.SetPathName(path);
  doc.SetModifiedFlag(false);
  // "Nothing created or changed" (message 10068) is a success too.
  return RunHtmlOutput(doc) ? 0 : 1;
}

CommandRegistrar reg(62, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "export-html",
      "Write the HTML link pages beside FILE (or into its HTML folder) from its template; "
      "prints the created or changed files");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "Collection file (.knd)")->required();
  cmd->callback([file, &ctx] { ctx.exitCode = Run(*file, ctx); });
});

}  // namespace
}  // namespace vesk::cli
