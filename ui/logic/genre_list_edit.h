// The genre list of the settings sheet: registering a typed genre and deleting ticked rows.
#pragma once

#include <string>
#include <vector>

#include "ui/logic/settings_sheet.h"

namespace vesk {

constexpr std::size_t kMaxGenreRows = 100;

enum class GenreRegister {
  Nothing,    // the edit was empty: nothing happens, the edit keeps its (empty) text
  Blank,      // only TABs and half-width spaces: string 10018
  Full,       // the list already has 100 rows: string 10020
  Duplicate,  // a row holds the same text, letters compared without case: string 10019
  Added,      // appended as the last row
};

// Registers the edit's text (Shift_JIS) into rows. Every outcome but Nothing empties the edit.
// TABs and half-width spaces are removed first; full-width spaces stay.
GenreRegister RegisterGenre(std::vector<GenreRow>& rows, std::string& edit);
// The message of an outcome (Shift_JIS, shown with the information icon); empty for Nothing and
// Added.
std::string GenreRegisterMessage(GenreRegister outcome);
// Removes every ticked row, from the last to the first; the number removed.
std::size_t DeleteTickedGenres(std::vector<GenreRow>& rows);

}  // namespace vesk
