#include "ui/logic/genre_list_edit.h"

#include <algorithm>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp932_text.h"

namespace vesk {

GenreRegister RegisterGenre(std::vector<GenreRow>& rows, std::string& edit) {
  if (edit.empty()) return GenreRegister::Nothing;
  // A TAB would split the stored list; spaces are what users type by mistake. Neither byte can
  // be the second byte of a double-byte character, so they are removed byte by byte.
  std::string text = std::move(edit);
  edit.clear();
  std::erase_if(text, [](char c) { return c == '\t' || c == ' '; });
  if (text.empty()) return GenreRegister::Blank;
  if (rows.size() >= kMaxGenreRows) return GenreRegister::Full;
  const bool known = std::any_of(rows.begin(), rows.end(), [&](const GenreRow& row) {
    return MbsEqualNoCase(row.text, text);
  });
  if (known) return GenreRegister::Duplicate;
  rows.push_back({std::move(text), false});
  return GenreRegister::Added;
}

std::string GenreRegisterMessage(GenreRegister outcome) {
  switch (outcome) {
    case GenreRegister::Blank:
      return ResString(kIdsGenreBlank);
    case GenreRegister::Duplicate:
      return ResString(kIdsGenreDuplicate);
    case GenreRegister::Full:
      return ResString(kIdsGenreFull);
    default:
      return {};
  }
}

std::size_t DeleteTickedGenres(std::vector<GenreRow>& rows) {
  std::size_t removed = 0;
  for (std::size_t i = rows.size(); i-- > 0;) {
    if (!rows[i].ticked) continue;
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
    ++removed;
  }
  return removed;
}

}  // namespace vesk
