// What the settings sheet "環境設定" does apart from drawing: the values of its five pages as read
// from the settings store, the opening and closing of the keyword/column page, and the
// write-back in its fixed order.
#pragma once

#include <string>
#include <vector>

namespace vesk {

class CVeskSettings;

// Byte limits of the sheet's edits (Shift_JIS bytes).
constexpr std::size_t kSearchProgramLimit = 260;
constexpr std::size_t kSetupTextLimit = 256;  // banner templates and mark texts

// Columns of the link list: position 0 is always the title column; the sheet lists 1..8.
constexpr int kListColumnCount = 9;
constexpr int kColumnShownBit = 0x1000;

// Every value the sheet shows, as the settings store holds them. Flags stay the stored numbers
// until a page that shows them is opened, so an unopened page writes back what it read.
struct SetupValues {
  // Page 1 "ファイル"
  int tag = 0;
  int autoNames = 1;
  std::string searchProgram;    // "Deepscout", Shift_JIS
  std::string favoritesFolder;  // the file system's bytes
  // Page 2 "バナー": templates 1..3
  std::string banner[3];
  // Page 3 "マーク": cool, hot, check
  std::string mark[3];
  // Page 4 "キーワード/カラム"
  int linkFlag = 0x300;
  std::string genreList;
  int gridLine = 0;
  int header[kListColumnCount] = {};
  // Page 5 "その他"
  int open = 0;
  int tail = 1;
  int userAgent = 0;

  static SetupValues Read(CVeskSettings& settings);
  // Writes every value in the sheet's order: tag, auto, Deepscout (Favorites beside it),
  // templates (an empty template 1 is deleted so its default returns), marks, linkflag,
  // GenreList, GridLine, Header0..8, open, tail, userAgent.
  void Write(CVeskSettings& settings) const;
};

// One row of the genre check list.
struct GenreRow {
  std::string text;  // Shift_JIS
  bool ticked = false;
};

// One row of the column check list: a display position 1..8 of the link list.
struct ColumnRow {
  int column = 0;  // 1..8
  bool shown = true;
  std::string title;  // the text after the comma of its title string (Shift_JIS)
};

// The genre list as rows: the pieces between TABs while text remains (an empty piece between
// two TABs is an empty row, a final TAB adds none).
std::vector<GenreRow> SplitGenreList(const std::string& genreList);
// Every row followed by one TAB.
std::string JoinGenreList(const std::vector<GenreRow>& rows);

// The column list of positions 1..8 from the stored layout. A layout that does not hold each
// of the columns 1..8 once (a hand-edited file) keeps its valid rows in order and gets the
// missing columns appended, shown, so every column can still be chosen.
std::vector<ColumnRow> ColumnRowsFromLayout(const int (&header)[kListColumnCount]);
// The layout of the rows: position 0 the title column shown, position i + 1 row i.
void LayoutFromColumnRows(const std::vector<ColumnRow>& rows, int (&header)[kListColumnCount]);

// The keyword/column page's controls, as the page shows them.
struct SetupPage4State {
  bool boxes[5] = {};  // search-target boxes, in kSearchTargetBoxes order
  std::vector<GenreRow> genres;
  bool gridLine = false;
  std::vector<ColumnRow> columns;
};

SetupPage4State OpenSetupPage4(const SetupValues& values);
// The page's window closes: the flag word from the boxes alone (other bits dropped), the genre
// list from the rows, the grid flag and the layout from the column rows.
void CloseSetupPage4(const SetupPage4State& page, SetupValues& values);

}  // namespace vesk
