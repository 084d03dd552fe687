// vesk-cli find FILE TEXT: Find and then Find Next until the first hit comes round again.
#include <climits>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli_document.h"
#include "cli/number_option.h"
#include "document/dialog_rules.h"
#include "document/find_history.h"
#include "document/veskdoc.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk::cli {
namespace {

struct FindArgs {
  std::string file;
  std::string text;
  std::optional<std::string> mode;
  std::optional<std::string> current;
};

int Run(const FindArgs& args, CliContext& ctx) {
  std::string needle;
  if (!Utf8ToCp932(args.text, needle)) {
    std::cerr << "TEXT holds characters that Shift_JIS cannot represent" << std::endl;
    return 2;
  }
  if (needle.empty()) {
    std::cerr << "TEXT must not be empty" << std::endl;
    return 2;
  }
  if (auto error = CheckFindText(needle)) {  // what the search dialog refuses
    PrintError(error->message);
    return 1;
  }

  std::optional<long long> mode, serial;
  if (args.mode && !(mode = NumberOption("--mode", *args.mode, 0, INT_MAX))) return 1;
  if (args.current && !(serial = NumberOption("--current", *args.current, 0, kSerialLimit - 1)))
    return 1;

  CliDocument d(ctx);
  if (!d.Open(args.file)) return 1;
  CVeskDoc& doc = d.doc;

  LINKINFO* current = doc.GetTopCategory();
  if (serial) {
    LINKINFO* node = doc.FindBySerial(static_cast<std::uint32_t>(*serial));
    if (!node) {
      std::cerr << "no node with serial " << *serial << std::endl;
      return 1;
    }
    current = node->IsCategory() ? node : node->m_pParent;
  }
  doc.SelectCategory(current, true);

  // No views are attached, so a hit does not move the current category, as with the scope
  // "current category" where every hit lies in it anyway.
  const int searchMode = mode ? static_cast<int>(*mode) : ctx.Settings().GetSearchMode();
  LINKINFO* first = doc.FindFrom(needle, searchMode, nullptr);
  if (!first) {
    d.ui.MessageBox(ResString(kIdsFindNotFound), MbButtons::Ok, MbIcon::Information);
    return 1;
  }
  std::cout << first->m_nSerial << '\n';
  for (LINKINFO* hit = doc.FindFrom(needle, searchMode, first); hit && hit != first;
       hit = doc.FindFrom(needle, searchMode, hit)) {
    std::cout << hit->m_nSerial << '\n';
  }
  std::cout.flush();
  return 0;
}

CommandRegistrar reg(70, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "find",
      "Find TEXT in the links of FILE and Find Next until the first hit comes round again; "
      "prints the serial of each hit");
  auto args = std::make_shared<FindArgs>();
  cmd->add_option("FILE", args->file, "Collection file (.knd)")->required();
  cmd->add_option("TEXT", args->text, "Text to search for (UTF-8)")->required();
  cmd->add_option_function<std::string>(
      "--mode", [args](const std::string& m) { args->mode = m; },
      "Search mode word (default: the stored \"Mode\")");
  cmd->add_option_function<std::string>(
      "--current", [args](const std::string& s) { args->current = s; },
      "Serial of a node whose category is the current category (default: Top Category)");
  cmd->callback([args, &ctx] { ctx.exitCode = Run(*args, ctx); });
});

}  // namespace
}  // namespace vesk::cli
