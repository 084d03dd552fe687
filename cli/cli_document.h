// What the document commands of vesk-cli share: one document with the command line's user.
#pragma once

#include <string>

#include "cli/cli_command.h"
#include "document/veskdoc.h"

namespace vesk::cli {

// A document with the command line's user (messages to stderr, questions per --yes).
struct CliDocument {
  explicit CliDocument(CliContext& ctx) : ui(ctx), doc(ctx.Settings(), ui) { doc.OnNewDocument(); }
  CCliUserInterface ui;
  CVeskDoc doc;
};

// Opens FILE by its absolute path (outputs go beside it) as an unmodified document; false when it
// could not be opened (the document has told the user why).
bool OpenDocumentFile(CVeskDoc& doc, const std::string& file);

}  // namespace vesk::cli
