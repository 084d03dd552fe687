// vesk-cli config get/set: reads or changes one stored preference, with the type and default
// the program itself uses for it.
#include <charconv>
#include <iostream>
#include <memory>

#include "cli/cli_command.h"
#include "cli/terminal_text.h"
#include "settings/settings_catalog.h"
#include "text/encoding.h"

namespace vesk::cli {
namespace {

struct ConfigArgs {
  std::string section;
  std::string name;
  std::string value;
};

// The entry the user named, or nullopt after telling them it is unknown.
std::optional<SettingsEntry> Lookup(const ConfigArgs& args, CliContext& ctx) {
  std::optional<SettingsEntry> entry = FindSettingsEntry(args.section, args.name);
  if (!entry) {
    std::cerr << "vesk-cli: no setting \"" << TerminalText(args.name) << "\" in section \""
              << TerminalText(args.section) << "\"" << std::endl;
    ctx.exitCode = 1;
  }
  return entry;
}

// The values of the recent-file list are paths, kept in the file system's bytes.
bool IsPathSetting(const SettingsEntry& entry) { return entry.section == "Recent File List"; }

// Decimal (negative numbers as their 32-bit two's complement) or 0x-prefixed hexadecimal.
std::optional<std::uint32_t> ParseDword(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint32_t v = 0;
    auto r = std::from_chars(first + 2, last, v, 16);
    if (r.ec != std::errc() || r.ptr != last) return std::nullopt;
    return v;
  }
  long long v = 0;
  auto r = std::from_chars(first, last, v, 10);
  if (r.ec != std::errc() || r.ptr != last) return std::nullopt;
  if (v < -2147483648LL || v > 4294967295LL) return std::nullopt;
  return static_cast<std::uint32_t>(v);
}

void RunGet(const ConfigArgs& args, CliContext& ctx) {
  std::optional<SettingsEntry> entry = Lookup(args, ctx);
  if (!entry) return;
  CVeskSettings& settings = ctx.Settings();
  if (entry->type == SettingsType::Dword) {
    // The program uses these values as signed ints (a window may stand at x = -8).
    int def = static_cast<int>(DefaultDword(*entry, settings));
    std::cout << settings.GetInt(entry->section, entry->name, def) << std::endl;
  } else if (IsPathSetting(*entry)) {
    std::cout << TerminalText(PathFromSetting(settings.GetString(entry->section, entry->name)))
              << std::endl;
  } else {
    std::cout << TerminalText(
                     ToUtf8(settings.GetString(entry->section, entry->name, DefaultString(*entry))))
              << std::endl;
  }
  ctx.exitCode = 0;
}

void RunSet(const ConfigArgs& args, CliContext& ctx) {
  std::optional<SettingsEntry> entry = Lookup(args, ctx);
  if (!entry) return;
  CVeskSettings& settings = ctx.Settings();
  bool stored = false;
  if (entry->type == SettingsType::Dword) {
    std::optional<std::uint32_t> v = ParseDword(args.value);
    if (!v)
      throw CLI::ValidationError("VALUE", "\"" + args.value + "\" is not a number for " +
                                              entry->name + " (decimal or 0x hexadecimal)");
    stored = settings.WriteInt(entry->section, entry->name, static_cast<int>(*v));
  } else if (IsPathSetting(*entry)) {
    stored = settings.WriteString(entry->section, entry->name, PathToSetting(args.value));
  } else {
    std::string cp932;
    if (!Utf8ToCp932(args.value, cp932)) {
      std::cerr << "vesk-cli: the value holds characters that cannot be stored in Shift_JIS"
                << std::endl;
      ctx.exitCode = 1;
      return;
    }
    stored = settings.WriteString(entry->section, entry->name, cp932);
  }
  if (!stored) {
    std::cerr << "vesk-cli: the setting could not be stored" << std::endl;
    ctx.exitCode = 1;
    return;
  }
  ctx.exitCode = 0;
}

CommandRegistrar reg(900, [](CLI::App& app, CliContext& ctx) {
  auto args = std::make_shared<ConfigArgs>();
  CLI::App* config = app.add_subcommand(
      "config",
      "Read or change a stored setting (SECTION with backslashes, e.g. 'Settings\\Data')");
  config->require_subcommand(1);

  CLI::App* get =
      config->add_subcommand("get", "Print a setting's value, or its default when absent");
  get->add_option("SECTION", args->section, "Section, e.g. 'Settings\\Window'")->required();
  get->add_option("NAME", args->name, "Value name, e.g. cx")->required();
  get->callback([args, &ctx] { RunGet(*args, ctx); });

  CLI::App* set = config->add_subcommand("set", "Store a setting with the type the program uses");
  set->add_option("SECTION", args->section, "Section, e.g. 'Settings\\Data'")->required();
  set->add_option("NAME", args->name, "Value name, e.g. CoolData")->required();
  set->add_option("VALUE", args->value, "Number (decimal or 0x hex) or text (UTF-8)")->required();
  set->callback([args, &ctx] { RunSet(*args, ctx); });
});

}  // namespace
}  // namespace vesk::cli
