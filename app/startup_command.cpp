#include "app/startup_command.h"

#include <vector>

#include "text/encoding.h"

namespace vesk {
namespace {

constexpr const char kHandOverHead[] = "vesk-open 1\n";

// The length of path's root: "/" on every system, and "C:/" on Windows; 0 when it is relative.
std::size_t RootLength(const std::string& path) {
#ifdef _WIN32
  if (path.size() >= 3 && path[1] == ':' && path[2] == '/' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
    return 3;
#endif
  return !path.empty() && path[0] == '/' ? 1 : 0;
}

// path with "." and ".." and doubled separators resolved in the text (links are not followed);
// the bytes of the names are kept as they are, whatever their encoding.
std::string LexicallyNormal(const std::string& path) {
  const std::size_t root = RootLength(path);
  std::vector<std::string> parts;
  std::size_t start = root;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..")
        parts.pop_back();
      else if (root == 0)
        parts.push_back(part);  // above a relative start: kept, as there is nothing to remove
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out = path.substr(0, root);
  for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? "/" : "") + parts[i];
  if (out.size() > root && path.size() > root && path.back() == '/') out += '/';
  return out.empty() ? "." : out;
}

}  // namespace

StartCommand ParseStartCommand(const std::vector<std::string>& args, const std::string& cwd) {
  StartCommand cmd;
  const bool uninstall = !args.empty() && (args[0] == "/uninstall" || args[0] == "--uninstall");
  if (uninstall && (args.size() == 1 || (args.size() == 2 && args[1] == "/S"))) {
    cmd.kind = StartKind::Uninstall;
    cmd.quiet = args.size() == 2;
    return cmd;
  }
  std::string arg;
  for (std::size_t i = 0; i < args.size(); ++i) arg += (i ? " " : "") + args[i];
  if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"')
    arg = arg.substr(1, arg.size() - 2);
  if (arg.empty()) return cmd;
#ifdef _WIN32
  // Windows' own separator, as Explorer and the shell hand paths over.
  for (char& c : arg)
    if (c == '\\') c = '/';
#endif
  if (RootLength(arg) == 0) arg = cwd + (!cwd.empty() && cwd.back() == '/' ? "" : "/") + arg;
  cmd.documentPath = LexicallyNormal(arg);
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
  if (!path.empty() && RootLength(path) == 0) return std::nullopt;
  return path;
}

}  // namespace vesk
