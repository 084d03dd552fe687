// The seam through which the main window offers commands to the view that has the focus.
#pragma once

#include <optional>

#include "ui/logic/command_table.h"

namespace vesk {

// A pane of the main window that takes commands while it is the active view.
class IPaneCommands {
 public:
  virtual ~IPaneCommands() = default;
  // Whether the pane's rule enables the command now; nullopt when the command is not the pane's.
  virtual std::optional<bool> IsPaneCommandEnabled(CommandId command) = 0;
  // Runs a command the pane takes (its rule was asked just before).
  virtual void RunPaneCommand(CommandId command) = 0;
};

}  // namespace vesk
