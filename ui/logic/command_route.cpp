#include "ui/logic/command_route.h"

#include <utility>

namespace vesk {

void CCommandRoute::Join(CommandId command, Handler handler) {
  m_handlers[command] = std::move(handler);
}

bool CCommandRoute::Has(CommandId command) const { return m_handlers.count(command) != 0; }

bool CCommandRoute::Run(CommandId command) const {
  const auto found = m_handlers.find(command);
  if (found == m_handlers.end() || !found->second) return false;
  // A copy: the handler may join commands anew while it runs.
  const Handler handler = found->second;
  handler();
  return true;
}

}  // namespace vesk
