#include "app/startup_command.h"

#include <filesystem>

#include "text/encoding.h"

namespace vesk {
namespace {

constexpr const char kHandOverHead[] = "vesk-open 1\n";

}  // namespace

StartCommand ParseStartCommand(const std::vector<std::string>& args, const std::string& cwd) {
  StartCommand cmd;
  if (args.size() == 1 && (args[0] == "/uninstall" || args[0] == "--uninstall")) {
    cmd.kind = StartKind::Uninstall;
    return cmd;
  }
  std::string arg;
  for (std::size_t i = 0; i < args.size(); ++i) arg += (i ? " " : "") + args[i];
  if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"')
    arg = arg.substr(1, arg.size() - 2);
  if (arg.empty()) return cmd;
  std::filesystem::path p(arg);
  if (p.is_relative()) p = std::filesystem::path(cwd) / p;
  cmd.documentPath = p.lexically_normal().string();
  return cmd;
}

std::vector<std::string> ToolkitArguments(const std::vector<std::string>& argv) {
  std::vector<std::string> out;
  out.push_back(!argv.empty() && !argv[0].empty() && IsValidUtf8(argv[0]) ? argv[0] : "vesk");
  for (std::size_t i = 1; i < argv.size(); ++i)
    if (IsValidUtf8(argv[i])) out.push_back(argv[i]);
  return out;
}

std::string EncodeHandOver(const std::string& documentPath) {
  std::string message = kHandOverHead;
  message += documentPath;
  message += '\0';
  return message;
}

std::optional<std::string> DecodeHandOver(const std::string& message) {
  const std::string head = kHandOverHead;
  if (message.size() < head.size() + 1 || message.compare(0, head.size(), head) != 0 ||
      message.back() != '\0')
    return std::nullopt;
  std::string path = message.substr(head.size(), message.size() - head.size() - 1);
  if (path.find('\0') != std::string::npos) return std::nullopt;
  if (!path.empty() && path.front() != '/') return std::nullopt;
  return path;
}

}  // namespace vesk
