// What the document commands of vesk-cli share: the settings they read and one open document.
#pragma once

#include <memory>
#include <string>

#include "app/vesk_settings.h"
#include "cli/cli_command.h"
#include "document/veskdoc.h"

namespace vesk::cli {

// The preferences a document command works with.
CVeskSettings& DocumentSettings(CliContext& ctx);

// A document with the command line's user (messages to stderr, questions per --yes).
struct CliDocument {
  explicit CliDocument(CliContext& ctx) : ui(ctx), doc(DocumentSettings(ctx), ui) {
    doc.OnNewDocument();
  }
  CCliUserInterface ui;
  CVeskDoc doc;
};

}  // namespace vesk::cli
