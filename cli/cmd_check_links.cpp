// vesk-cli check-links FILE: asks every http(s) link of a category and its subcategories and
// prints what became of each; the document is read, never changed.
#include <chrono>
#include <iostream>
#include <memory>
#include <optional>

#include "app/link_check/link_check.h"
#include "app/link_check/link_check_scope.h"
#include "app/link_check/link_checker.h"
#include "cli/cli_command.h"
#include "cli/cli_document.h"
#include "cli/number_option.h"
#include "cli/terminal_text.h"
#include "document/veskdoc.h"
#include "text/encoding.h"

namespace vesk::cli {
namespace {

struct CheckLinksArgs {
  std::string file;
  std::optional<std::string> category;
  std::optional<std::string> jobs;
  std::optional<std::string> timeout;
};

int Run(const CheckLinksArgs& args, CliContext& ctx) {
  CVeskSettings& settings = ctx.Settings();
  LinkCheckOptions options = LinkCheckOptionsFromSettings(settings);
  if (args.jobs) {
    auto n = NumberOption("--jobs", *args.jobs, 1, 1024);
    if (!n) return 1;
    options.jobs = static_cast<int>(*n);
  }
  if (args.timeout) {
    auto n = NumberOption("--timeout", *args.timeout, 1, 3600);
    if (!n) return 1;
    options.timeoutSeconds = static_cast<int>(*n);
  }

  CliDocument d(ctx);
  if (!d.Open(args.file)) return 1;
  const CVeskDoc& doc = d.doc;

  const LINKINFO* category = doc.GetTopCategory();
  if (args.category) {
    auto serial = NumberOption("--category", *args.category, 0, kSerialLimit - 1);
    if (!serial) return 1;
    const LINKINFO* node = doc.FindBySerial(static_cast<std::uint32_t>(*serial));
    if (!node || !node->IsCategory()) {
      std::cerr << "no category with serial " << *serial << std::endl;
      return 1;
    }
    category = node;
  }

  const std::vector<const LINKINFO*> links = LinksToCheck(doc, category);
  const auto started = std::chrono::steady_clock::now();
  CLinkChecker checker(options);
  const std::vector<LinkCheckOutcome> outcomes = checker.Run(MakeLinkCheckRequests(links));
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - started)
                           .count();

  std::size_t counts[6] = {};
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const LinkCheckOutcome& o = outcomes[i];
    ++counts[static_cast<int>(o.result)];
    std::cout << o.serial << '\t' << LinkCheckResultName(o.result) << '\t' << o.httpCode << '\t'
              << TerminalField(o.finalUrl) << '\t' << o.milliseconds << '\t'
              << TerminalField(ToUtf8(links[i]->m_strTitle)) << '\n';
  }
  std::cout.flush();
  std::cerr << outcomes.size() << " links: ";
  for (int r = 0; r <= static_cast<int>(LinkCheckResult::Unchecked); ++r) {
    std::cerr << (r ? ", " : "") << counts[r] << ' '
              << LinkCheckResultName(static_cast<LinkCheckResult>(r));
  }
  std::cerr << " in " << elapsed << " ms" << std::endl;
  return 0;
}

CommandRegistrar reg(72, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "check-links",
      "Ask every http(s) link of a category and its subcategories; prints "
      "SERIAL, RESULT, CODE, FINAL_URL, MILLISECONDS and TITLE, tab-separated, one line a link");
  auto args = std::make_shared<CheckLinksArgs>();
  cmd->add_option("FILE", args->file, "Collection file (.knd)")->required();
  cmd->add_option_function<std::string>(
      "--category", [args](const std::string& s) { args->category = s; },
      "Serial of the category to check (default: Top Category)");
  cmd->add_option_function<std::string>(
      "--jobs", [args](const std::string& s) { args->jobs = s; },
      "Requests at once (default: the stored \"Jobs\", 16); at most 2 go to one host");
  cmd->add_option_function<std::string>(
      "--timeout", [args](const std::string& s) { args->timeout = s; },
      "Seconds allowed per link (default: the stored \"Timeout\", 15)");
  cmd->callback([args, &ctx] { ctx.exitCode = Run(*args, ctx); });
});

}  // namespace
}  // namespace vesk::cli
