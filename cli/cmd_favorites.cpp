// vesk-cli import-favorites FILE FOLDER and export-favorites FILE FOLDER --option N: the Favorites
// commands with FOLDER standing for the Favorites folder.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/favorites.h"
#include "cli/cli_document.h"
#include "cli/number_option.h"
#include "document/veskdoc.h"
#include "platform/absolute_path.h"

namespace vesk::cli {
namespace {

struct FavoritesArgs {
  std::string file;
  std::string folder;
  std::string option;
  std::optional<std::string> category;
};

// The folder as an absolute path: the commands never depend on the current folder.
std::string AbsoluteFolder(const std::string& folder) {
  std::string abs;
  if (!platform::AbsolutePath(folder, true, abs)) return folder;
  while (abs.size() > 1 && abs.back() == '/') abs.pop_back();
  return abs;
}

int RunImport(const FavoritesArgs& args, CliContext& ctx) {
  CliDocument d(ctx);
  if (!d.Open(args.file)) return 1;
  CVeskDoc& doc = d.doc;
  // The command line is the user's go-ahead: the import's question is not asked.
  if (!ImportFavorites(doc, AbsoluteFolder(args.folder))) return 1;
  return doc.OnSaveDocument(doc.GetPathName()) ? 0 : 1;
}

int RunExport(const FavoritesArgs& args, CliContext& ctx) {
  const std::optional<long long> option =
      NumberOption("--option", args.option, kFavoritesFolderOnly, kFavoritesCurrent);
  if (!option) return 1;
  std::optional<long long> serial;
  if (args.category && !(serial = NumberOption("--category", *args.category, 0, kSerialLimit - 1)))
    return 1;
  ctx.readOnlySettings = true;  // the document is only read
  CliDocument d(ctx);
  if (!d.Open(args.file)) return 1;
  CVeskDoc& doc = d.doc;
  if (serial) {
    LINKINFO* category = doc.FindBySerial(static_cast<std::uint32_t>(*serial));
    if (!category || !category->IsCategory()) {
      PrintError("no category with serial " + std::to_string(*serial));
      return 1;
    }
    // As a selection in the tree would: the category becomes the current one (option 3).
    doc.SelectCategory(category, true);
  }
  return RunFavoritesExport(doc, AbsoluteFolder(args.folder), static_cast<int>(*option)) ? 0 : 1;
}

CommandRegistrar regImport(67, [](CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<FavoritesArgs>();
  auto* cmd = app.add_subcommand(
      "import-favorites",
      "Read a Favorites folder (.url files, Kestrelnest skipped) into the work box, then save");
  cmd->add_option("FILE", args->file, "Collection file (.knd)")->required();
  cmd->add_option("FOLDER", args->folder, "The Favorites folder")->required();
  cmd->callback([args, &ctx] { ctx.exitCode = RunImport(*args, ctx); });
});

CommandRegistrar regExport(68, [](CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<FavoritesArgs>();
  auto* cmd = app.add_subcommand("export-favorites",
                                 "Write categories as .url files into FOLDER/Kestrelnest");
  cmd->add_option("FILE", args->file, "Collection file (.knd)")->required();
  cmd->add_option("FOLDER", args->folder, "The Favorites folder")->required();
  cmd->add_option("--option", args->option,
                  "0 create Kestrelnest only, 1 Top Category tree, 2 work box tree, "
                  "3 the category of --category alone")
      ->required();
  cmd->add_option("--category", args->category, "Serial number of the selected category");
  cmd->callback([args, &ctx] { ctx.exitCode = RunExport(*args, ctx); });
});

}  // namespace
}  // namespace vesk::cli
