// What the document commands of vesk-cli share: one document with the command line's user.
#pragma once

#include <functional>
#include <string>

#include "cli/cli_command.h"
#include "document/veskdoc.h"

namespace vesk::cli {

// A document with the command line's user (messages to stderr, questions per --yes) and the
// run's shared settings.
struct CliDocument {
  explicit CliDocument(CliContext& ctx) : ui(ctx), doc(ctx.Settings(), ui) {
    // The command line never takes a document's genre list into the user's settings.
    doc.SetLeaveSettings(true);
    doc.OnNewDocument();
  }
  // Opens file by its absolute path (outputs go beside it) as an unmodified document; false when
  // it could not be opened (the document has told the user why).
  bool Open(const std::string& file);

  CCliUserInterface ui;
  CVeskDoc doc;
};

// What a command taking only FILE does with the opened document; returns the exit code.
using FileCommandRun = std::function<int(CliDocument&)>;

// Registers "name FILE": opens FILE and runs run on it; exit code 1 when FILE does not open.
// onlyReads: the command only reads the document, so the settings file is never written.
void AddFileCommand(CLI::App& app, CliContext& ctx, const std::string& name,
                    const std::string& description, const std::string& fileHelp, FileCommandRun run,
                    bool onlyReads = false);

}  // namespace vesk::cli
