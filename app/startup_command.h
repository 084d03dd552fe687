// What the command line of the desktop program asks for, and the message in which a second
// start hands it to the running instance.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vesk {

enum class StartKind { Normal, Uninstall };

// A parsed command line; documentPath is absolute (or empty: no document named).
struct StartCommand {
  StartKind kind = StartKind::Normal;
  // The uninstall run without its question, for the installer's silent uninstall.
  bool quiet = false;
  std::string documentPath;
};

// args are the arguments after the program path, as the system gave them (file-system bytes).
// "/uninstall" or "--uninstall" alone on the line asks for the uninstall run, followed by "/S"
// (and nothing else) for the quiet one. Anything else is
// one document path: the arguments joined by single spaces, surrounding double quotes removed,
// made absolute against cwd and normalised.
StartCommand ParseStartCommand(const std::vector<std::string>& args, const std::string& cwd);

// What of the command line argv (program path first) is handed to the toolkit, which turns each
// argument into its own text and shows a warning box for one it cannot: the program path where
// it is UTF-8 (else the program's name alone), the other arguments only where they are UTF-8.
// The program reads its own command line from the bytes, so nothing it needs is lost.
std::vector<std::string> ToolkitArguments(const std::vector<std::string>& argv);

// The hand-over: a fixed first line naming the format, then the document path (empty: only
// bring the window forward), then one NUL byte.
std::string EncodeHandOver(const std::string& documentPath);
// The document path of a hand-over message; nothing for anything malformed (another format,
// no terminating NUL, a NUL inside the path, a relative path).
std::optional<std::string> DecodeHandOver(const std::string& message);

}  // namespace vesk
