// vesk-cli export-cgi FILE: the CGI data output command on a document file.
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/settings_backend.h"
#include "app/vesk_settings.h"
#include "cli/cli_command.h"
#include "document/cgi_data.h"
#include "document/veskdoc.h"

namespace vesk::cli {
namespace {

// Prints the output result list, one full path per line, on stdout.
class CExportUi : public CCliUserInterface {
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
  auto backend = CreatePlatformSettingsBackend();
  CVeskSettings settings(*backend);
  CExportUi ui(ctx);
  CVeskDoc doc(settings, ui);
  std::error_code ec;
  std::string path = std::filesystem::absolute(file, ec).string();
  if (ec || !doc.OnOpenDocument(path)) return 1;
  doc.SetPathName(path);
  doc.SetModifiedFlag(false);
  return RunCgiOutput(doc) ? 0 : 1;
}

CommandRegistrar reg(60, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "export-cgi",
      "Write the CGI data files beside FILE (or into its CGI folder); prints the "
      "created or changed files");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "Collection file (.knd)")->required();
  cmd->callback([file, &ctx] { ctx.exitCode = Run(*file, ctx); });
});

}  // namespace
}  // namespace vesk::cli
