// vesk-cli export-bookmarks FILE OUT.html [--category SERIAL]: a category's subtree as a browser
// bookmark file. (Bookmark files are read by "vesk-cli import".)
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_document.h"
#include "cli/number_option.h"
#include "document/veskdoc.h"
#include "platform/absolute_path.h"
#include "publish/bookmark_file.h"

namespace vesk::cli {
namespace {

struct BookmarksArgs {
  std::string file;
  std::string out;
  std::optional<std::string> category;
};

int RunExport(const BookmarksArgs& args, CliContext& ctx) {
  std::optional<long long> serial;
  if (args.category && !(serial = NumberOption("--category", *args.category, 0, kSerialLimit - 1)))
    return 1;
  ctx.readOnlySettings = true;  // the document is only read
  CliDocument d(ctx);
  if (!d.Open(args.file)) return 1;
  CVeskDoc& doc = d.doc;
  LINKINFO* category = doc.GetTopCategory();
  if (serial) {
    category = doc.FindBySerial(static_cast<std::uint32_t>(*serial));
    if (!category || !category->IsCategory()) {
      PrintError("no category with serial " + std::to_string(*serial));
      return 1;
    }
  }
  std::string out;
  if (!platform::AbsolutePath(args.out, true, out)) out = args.out;
  return ExportBookmarkFile(doc, category, out) ? 0 : 1;
}

CommandRegistrar reg(69, [](CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<BookmarksArgs>();
  auto* cmd = app.add_subcommand("export-bookmarks",
                                 "Write a category (Top Category by default) and its subtree as a "
                                 "browser bookmark file (UTF-8)");
  cmd->add_option("FILE", args->file, "Collection file (.knd)")->required();
  cmd->add_option("OUT", args->out, "Bookmark file to write")->required();
  cmd->add_option("--category", args->category, "Serial number of the category to export");
  cmd->callback([args, &ctx] { ctx.exitCode = RunExport(*args, ctx); });
});

}  // namespace
}  // namespace vesk::cli
