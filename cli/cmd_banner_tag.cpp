// vesk-cli banner-tag IMAGE [BASE_FOLDER]: the IMG tag that the sheet's image button would put
// into the banner field.
#include <iostream>

#include "cli/cli_command.h"
#include "cli/terminal_text.h"
#include "platform/absolute_path.h"
#include "publish/banner_image.h"
#include "text/encoding.h"

namespace vesk::cli {
namespace {

struct BannerTagOptions {
  std::string image;
  std::string base;
};

// An absolute path with "." and ".." resolved in the text (links are not followed, as the
// file dialog would not follow them either).
std::string Absolute(const std::string& path) {
  std::string full;
  return platform::AbsolutePath(path, true, full) ? full : path;
}

CommandRegistrar reg(66, [](CLI::App& app, CliContext& ctx) {
  auto opts = std::make_shared<BannerTagOptions>();
  auto* cmd =
      app.add_subcommand("banner-tag", "Print the IMG tag of a banner image (GIF, JPEG, PNG)");
  cmd->add_option("IMAGE", opts->image, "Image file (.gif, .jpg, .png)")->required();
  cmd->add_option("BASE_FOLDER", opts->base,
                  "Folder the image path is made relative to, as the document names it (a last "
                  "name without '/' counts as a folder to leave); default: the current folder");
  cmd->callback([opts, &ctx] {
    std::string base;
    if (opts->base.empty()) {
      base = platform::CurrentFolder();
      if (!base.empty() && base.back() != '/') base += '/';
    } else {
      base = Absolute(opts->base);
      // lexically_normal keeps a trailing '/', which decides whether the last name is left.
    }
    BannerTagResult r = MakeBannerTag(Absolute(opts->image), base);
    if (!r.ok) {
      PrintError(r.message);
      ctx.exitCode = 1;
      return;
    }
    std::cout << TerminalText(ToUtf8(r.tag)) << '\n';
    ctx.exitCode = 0;
  });
});

}  // namespace
}  // namespace vesk::cli
