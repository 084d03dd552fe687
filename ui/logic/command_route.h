// CCommandRoute: the one way from a command number to what runs it, without any toolkit.
#pragma once

#include <functional>
#include <unordered_map>

#include "ui/logic/command_table.h"

namespace vesk {

// The application, the main window and the panes each join their commands here, a command in
// one place; the menus, the toolbar, the keys and the context menus all run through it.
class CCommandRoute {
 public:
  using Handler = std::function<void()>;

  // Joins command with what runs it; joining it again replaces the earlier handler.
  void Join(CommandId command, Handler handler);
  bool Has(CommandId command) const;
  // Runs command's handler; false when none is joined.
  bool Run(CommandId command) const;

 private:
  std::unordered_map<int, Handler> m_handlers;
};

}  // namespace vesk
