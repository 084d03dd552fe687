#include "settings/settings_catalog.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/settings_tree.h"
#include "text/leading_number.h"

namespace vesk {

namespace {

enum class DefaultKind {
  Fixed,         // dword or string id below
  PositionPlus,  // Header%d: position + 0x1000
  ColumnWidth,   // lc%d: the width of the column shown there
};

struct CatalogRow {
  const char* section;
  const char* name;  // base name; numbered rows append the number
  SettingsType type;
  int first = -1;  // numbered rows: first..last; -1 for plain names
  int last = -1;
  std::uint32_t dword = 0;
  int stringId = 0;  // string default from the string table, 0 for empty
  DefaultKind kind = DefaultKind::Fixed;
};

constexpr SettingsType D = SettingsType::Dword;
constexpr SettingsType S = SettingsType::String;

const CatalogRow kRows[] = {
    {"Settings\\Data", "tag", D, -1, -1, 0},
    {"Settings\\Data", "auto", D, -1, -1, 1},
    {"Settings\\Data", "BannerTemplate", S, -1, -1, 0, kIdsDefaultBanner},
    {"Settings\\Data", "BannerTemplate2", S},
    {"Settings\\Data", "BannerTemplate3", S},
    {"Settings\\Data", "CoolData", S},
    {"Settings\\Data", "HotData", S},
    {"Settings\\Data", "CheckData", S},
    {"Settings\\Data", "linkflag", D, -1, -1, 0x300},
    {"Settings\\Data", "GenreList", S, -1, -1, 0, kIdsDefaultGenres},
    {"Settings\\Data", "open", D, -1, -1, 0},
    {"Settings\\Data", "tail", D, -1, -1, 1},
    {"Settings\\Data", "userAgent", D, -1, -1, 0},
    {"Settings\\Files", "Deepscout", S},
    {"Settings\\Files", "Favorites", S},
    {"Settings\\ListView", "Header", D, 0, 8, 0, 0, DefaultKind::PositionPlus},
    {"Settings\\ListView", "GridLine", D, -1, -1, 0},
    {"Settings\\ListView", "lc", D, 0, 8, 0, 0, DefaultKind::ColumnWidth},
    {"Settings\\Window", "x", D, -1, -1, 80},
    {"Settings\\Window", "y", D, -1, -1, 80},
    {"Settings\\Window", "cx", D, -1, -1, 550},
    {"Settings\\Window", "cy", D, -1, -1, 360},
    {"Settings\\Window", "ps1cx", D, -1, -1, 120},
    {"Settings\\Window", "ps1cy", D, -1, -1, 100},
    {"Settings\\Window", "max", D, -1, -1, 0},
    {"Settings\\Window", "ps2cx", D, -1, -1, 0},
    {"Settings\\Window", "ps2cy", D, -1, -1, 0},
    {"Search", "word", S, 0, 9},
    {"Search", "Mode", D, -1, -1, 0x200},
    {"Recent File List", "File", S, 1, 4},
    {"Settings", "PreviewPages", D, -1, -1, 0},
    {"Settings\\LinkCheck", "Jobs", D, -1, -1, 16},
    {"Settings\\LinkCheck", "Timeout", D, -1, -1, 15},
    {"Settings\\Capture", "DevToolsPort", D, -1, -1, 9222},
};

const CatalogRow* RowOf(const SettingsEntry& entry) {
  for (const auto& row : kRows) {
    if (!SettingsNameEquals(row.section, entry.section)) continue;
    std::string name = row.name;
    if (row.first >= 0) name += std::to_string(entry.index);
    if (SettingsNameEquals(name, entry.name)) return &row;
  }
  return nullptr;
}

// "Header12" against base "Header" gives 12; plain decimal digits only, no sign or leading zero.
std::optional<int> NumberAfter(const std::string& name, const std::string& base) {
  if (name.size() <= base.size() || name.size() > base.size() + 3) return std::nullopt;
  if (!SettingsNameEquals(name.substr(0, base.size()), base)) return std::nullopt;
  const std::string digits = name.substr(base.size());
  if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
  const DecimalScan scan = ScanDecimal(digits, NumberLead::DigitsOnly);
  if (scan.end != digits.size()) return std::nullopt;
  return static_cast<int>(scan.magnitude);
}

}  // namespace

std::optional<SettingsEntry> FindSettingsEntry(const std::string& section,
                                               const std::string& name) {
  for (const auto& row : kRows) {
    if (!SettingsNameEquals(row.section, section)) continue;
    if (row.first < 0) {
      if (SettingsNameEquals(row.name, name)) return SettingsEntry{row.section, row.name, row.type};
      continue;
    }
    std::optional<int> n = NumberAfter(name, row.name);
    if (n && *n >= row.first && *n <= row.last)
      return SettingsEntry{row.section, row.name + std::to_string(*n), row.type, *n};
  }
  return std::nullopt;
}

std::vector<SettingsEntry> AllSettingsEntries() {
  std::vector<SettingsEntry> all;
  for (const auto& row : kRows) {
    if (row.first < 0) {
      all.push_back(SettingsEntry{row.section, row.name, row.type});
    } else {
      for (int n = row.first; n <= row.last; ++n)
        all.push_back(SettingsEntry{row.section, row.name + std::to_string(n), row.type, n});
    }
  }
  return all;
}

int ColumnDefaultWidth(int column) {
  if (column < 0 || column > 8) return 0;
  return LeadingInt(ResString(kIdsColumnBase + column));
}

std::uint32_t DefaultDword(const SettingsEntry& entry, CVeskSettings& settings) {
  const CatalogRow* row = RowOf(entry);
  if (!row) return 0;
  switch (row->kind) {
    case DefaultKind::Fixed:
      return row->dword;
    case DefaultKind::PositionPlus:
      return static_cast<std::uint32_t>(entry.index + 0x1000);
    case DefaultKind::ColumnWidth: {
      // Position n of the widths is the n-th shown column of the layout.
      int shown = 0;
      for (int pos = 0; pos <= 8; ++pos) {
        int header = settings.GetHeader(pos);
        if (!(header & 0x1000)) continue;
        if (shown++ == entry.index)
          return static_cast<std::uint32_t>(ColumnDefaultWidth(header & 0xFF));
      }
      return 0;
    }
  }
  return 0;
}

std::string DefaultString(const SettingsEntry& entry) {
  const CatalogRow* row = RowOf(entry);
  return row && row->stringId ? ResString(row->stringId) : std::string();
}

}  // namespace vesk
