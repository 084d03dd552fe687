// The one mapping between the program's command numbers and the toolkit's window ids.
#pragma once

#include <wx/defs.h>

#include <optional>

#include "ui/logic/command_table.h"

namespace vesk {

constexpr int kWxCommandBase = wxID_HIGHEST + 1;
static_assert(kWxCommandBase + kCommandOffsetLimit < 0x7FFF);

// Toolkit id of a command number; wxID_NONE for an unknown number.
inline int ToWxId(int command) {
  const int offset = CommandOffset(command);
  return offset < 0 ? static_cast<int>(wxID_NONE) : kWxCommandBase + offset;
}

// Command number of a toolkit id; nullopt when the id is not one of ours.
inline std::optional<CommandId> FromWxId(int id) {
  const std::optional<int> command = CommandFromOffset(id - kWxCommandBase);
  if (!command) return std::nullopt;
  return static_cast<CommandId>(*command);
}

}  // namespace vesk
