// vesk-cli load JSON FILE: builds a document from JSON and saves it to FILE with the normal save.
#include <iostream>
#include <sstream>

#include "cli/cli_command.h"
#include "cli/cli_document.h"
#include "cli/document_json.h"
#include "cli/terminal_text.h"
#include "platform/file_system.h"

namespace vesk::cli {
namespace {

// The JSON of the largest document the program holds is far smaller; a larger file is not one.
constexpr std::size_t kMaxJsonBytes = 1024u * 1024u * 1024u;

struct LoadOptions {
  std::string json;
  std::string file;
};

CommandRegistrar reg(22, [](CLI::App& app, CliContext& ctx) {
  auto opts = std::make_shared<LoadOptions>();
  auto* cmd = app.add_subcommand("load", "Build a document from JSON and save it to FILE");
  cmd->add_option("JSON", opts->json, "JSON file (as written by dump; - for standard input)")
      ->required();
  cmd->add_option("FILE", opts->file, "Document file (.knd) to write")->required();
  cmd->callback([opts, &ctx] {
    ctx.exitCode = 1;
    nlohmann::json json;
    try {
      if (opts->json == "-") {
        json = nlohmann::json::parse(std::cin);
      } else {
        std::string text;
        if (!platform::ReadWholeFile(opts->json, text, kMaxJsonBytes)) {
          std::cerr << "cannot read " << TerminalText(opts->json) << std::endl;
          return;
        }
        json = nlohmann::json::parse(text);
      }
    } catch (const nlohmann::json::exception& e) {
      std::cerr << "not valid JSON: " << TerminalText(e.what()) << std::endl;
      return;
    }
    CliDocument d(ctx);
    std::string error;
    if (!DocumentFromJson(d.doc, json, error)) {
      std::cerr << TerminalText(error) << std::endl;
      return;
    }
    if (!MayReplaceDocument(d.ui, opts->file)) return;
    if (d.doc.OnSaveDocument(opts->file)) ctx.exitCode = 0;
  });
});

}  // namespace
}  // namespace vesk::cli
