// The text form of the settings file: registry-style sections of full key paths with quoted
// value names, "dword:" values and UTF-8 strings.
#pragma once

#include <string>

#include "settings/settings_tree.h"

namespace vesk::platform {

// Where and why a settings text could not be read.
struct SettingsParseError {
  int line = 0;
  std::string reason;
};

// Reads text into tree (cleared first). False, with the first fault in error, when any line
// is not understood; the tree then holds only what came before it.
// Strings are converted from UTF-8 to Shift_JIS; a string that is not UTF-8 is kept byte for
// byte, and a character Shift_JIS lacks becomes '?'.
bool ParseSettingsText(const std::string& text, CSettingsTree& tree,
                       SettingsParseError* error = nullptr);

// Writes the whole tree with CR LF line ends: a section for every key that holds values or no
// subkeys, so empty keys survive and the keys above them are implied.
std::string FormatSettingsText(const CSettingsTree& tree);

}  // namespace vesk::platform
