// Every stored preference by section and name, with its type and default; lets generic tools
// (vesk-cli config) read and write a value with the type the program itself uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/vesk_settings.h"

namespace vesk {

enum class SettingsType { Dword, String };

// One known value, with numbered names ("Header%d") resolved to a concrete number.
struct SettingsEntry {
  std::string section;  // canonical spelling, e.g. "Settings\Data"
  std::string name;     // canonical spelling, e.g. "Header3"
  SettingsType type = SettingsType::Dword;
  int index = -1;  // the %d of a numbered name, -1 otherwise
};

// The entry that section and name address (both matched without regard to case, the section's
// backslashes as stored); nullopt for a value no table knows.
std::optional<SettingsEntry> FindSettingsEntry(const std::string& section, const std::string& name);

// Every known entry, numbered names expanded (for listings and tests).
std::vector<SettingsEntry> AllSettingsEntries();

// The value a read yields when the entry is absent. The width of list column "lc%d" depends on
// which column the layout shows at that position, so it asks the settings.
std::uint32_t DefaultDword(const SettingsEntry& entry, CVeskSettings& settings);
std::string DefaultString(const SettingsEntry& entry);

// The default width of list column 0..8: the number before the comma of its title string.
int ColumnDefaultWidth(int column);

}  // namespace vesk
