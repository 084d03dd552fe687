#include "publish/places_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "publish/bookmark_tree.h"
#include "publish/sqlite_wal.h"

namespace vesk {
namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";  // and its terminating NUL: 16 bytes
// A store's rows are few thousand; a query that runs this many steps is a hostile file.
constexpr int kProgressSteps = 1000;
constexpr int kProgressCallsMax = 200000;  // 200 million virtual-machine steps
// No title or address needs more; a damaged record can claim any size, and SQLite would take
// that much memory before finding the damage.
constexpr int kValueMax = 4 * 1024 * 1024;
// SQLite's own memory (the image is ours): a query over a store needs a few megabytes; a damaged
// one can make it ask for far more (SQLite is used for nothing else in the program).
constexpr sqlite3_int64 kSqliteHeapMax = 48 * 1024 * 1024;

// The standard folders under the root, by their fixed identifiers, with the names the browser
// shows for them; the tags folder holds no bookmarks of its own.
struct StandardFolder {
  const char* guid;
  const char* name;
};
constexpr StandardFolder kStandardFolders[] = {
    {"menu________", "Bookmarks Menu"},
    {"toolbar_____", "Bookmarks Toolbar"},
    {"unfiled_____", "Other Bookmarks"},
    {"mobile______", "Mobile Bookmarks"},
};
constexpr const char* kTagsGuid = "tags________";
constexpr const char* kRootGuid = "root________";

struct Row {
  std::int64_t id = 0;
  int type = 0;  // 1 bookmark, 2 folder, 3 separator
  std::int64_t parent = 0;
  std::int64_t position = 0;
  std::string title, guid, url, placeTitle;
  std::int64_t added = 0, modified = 0;  // microseconds since 1970
};

std::string Column(sqlite3_stmt* statement, int column) {
  const auto* text = sqlite3_column_text(statement, column);
  if (!text) return std::string();
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
}

// A connection to a database image in memory that runs no code the file brings along (views,
// triggers, functions of the schema) and stops a query that runs too long.
class CMemoryDatabase {
 public:
  ~CMemoryDatabase() {
    if (m_db) sqlite3_close(m_db);
  }

  bool Open(std::string& image) {
    sqlite3_hard_heap_limit64(kSqliteHeapMax);
    if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
      return false;
    for (int option : {SQLITE_DBCONFIG_ENABLE_TRIGGER, SQLITE_DBCONFIG_ENABLE_VIEW,
                       SQLITE_DBCONFIG_TRUSTED_SCHEMA, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION}) {
      sqlite3_db_config(m_db, option, 0, nullptr);
    }
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_progress_handler(m_db, kProgressSteps, &CMemoryDatabase::Progress, this);
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, kValueMax);
    // The image is read where it lies; the connection never writes to it.
    return sqlite3_deserialize(m_db, "main", reinterpret_cast<unsigned char*>(image.data()),
                               static_cast<sqlite3_int64>(image.size()),
                               static_cast<sqlite3_int64>(image.size()),
                               SQLITE_DESERIALIZE_READONLY) == SQLITE_OK;
  }

  sqlite3* Handle() const { return m_db; }

 private:
  static int Progress(void* self) {
    return ++static_cast<CMemoryDatabase*>(self)->m_calls > kProgressCallsMax ? 1 : 0;
  }

  sqlite3* m_db = nullptr;
  int m_calls = 0;
};

bool ReadRows(sqlite3* db, std::vector<Row>& rows) {
  static const char kQuery[] =
      "SELECT b.id, b.type, b.parent, b.position, b.title, b.guid, b.dateAdded, "
      "b.lastModified, p.url, p.title FROM moz_bookmarks AS b "
      "LEFT JOIN moz_places AS p ON p.id = b.fk";
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement);
    return false;
  }
  int step = SQLITE_ROW;
  // Rows beyond what the import takes would be dropped anyway; the walk below may still need
  // any of them, so the bound is the items' bound with room for separators and queries.
  while (rows.size() < 2 * kBookmarkItemMax && (step = sqlite3_step(statement)) == SQLITE_ROW) {
    Row row;
    row.id = sqlite3_column_int64(statement, 0);
    row.type = sqlite3_column_int(statement, 1);
    row.parent = sqlite3_column_int64(statement, 2);
    row.position = sqlite3_column_int64(statement, 3);
    row.title = Column(statement, 4);
    row.guid = Column(statement, 5);
    row.added = sqlite3_column_int64(statement, 6);
    row.modified = sqlite3_column_int64(statement, 7);
    row.url = Column(statement, 8);
    row.placeTitle = Column(statement, 9);
    rows.push_back(std::move(row));
  }
  sqlite3_finalize(statement);
  return step == SQLITE_ROW || step == SQLITE_DONE;
}

std::int64_t Seconds(std::int64_t micro) { return micro > 0 ? micro / 1000000 : 0; }

// The bookmark tree from the rows: a walk from the root through each folder's children in
// their order, so that every item comes after its folder and no loop in the rows is followed.
std::vector<BookmarkItem> Tree(std::vector<Row>& rows) {
  std::unordered_map<std::int64_t, std::vector<std::size_t>> children;
  std::size_t root = rows.size();
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (rows[k].guid == kRootGuid) {
      root = k;
    } else {
      children[rows[k].parent].push_back(k);
    }
  }
  std::vector<BookmarkItem> raw;
  if (root == rows.size()) return raw;
  for (auto& [parent, list] : children) {
    std::stable_sort(list.begin(), list.end(), [&rows](std::size_t a, std::size_t b) {
      return rows[a].position != rows[b].position ? rows[a].position < rows[b].position
                                                  : rows[a].id < rows[b].id;
    });
  }
  struct Frame {
    std::int64_t folder;  // the folder's id
    int item;             // its index in raw; -1 for the root
    std::size_t next;
  };
  std::unordered_set<std::int64_t> visited{rows[root].id};
  std::vector<Frame> stack{{rows[root].id, -1, 0}};
  while (!stack.empty() && raw.size() < 2 * kBookmarkItemMax) {
    Frame& frame = stack.back();
    const auto found = children.find(frame.folder);
    if (found == children.end() || frame.next >= found->second.size()) {
      stack.pop_back();
      continue;
    }
    Row& row = rows[found->second[frame.next++]];
    const bool topLevel = frame.item < 0;
    if ((row.type != 1 && row.type != 2) || (topLevel && row.guid == kTagsGuid)) continue;
    BookmarkItem item;
    item.folder = row.type == 2;
    item.parent = frame.item;
    item.title = std::move(row.title);
    if (topLevel) {
      for (const StandardFolder& standard : kStandardFolders) {
        if (row.guid == standard.guid) item.title = standard.name;
      }
    }
    if (!item.folder) {
      item.url = std::move(row.url);
      if (item.title.empty()) item.title = row.placeTitle.empty() ? item.url : row.placeTitle;
    }
    item.addDate = Seconds(row.added);
    item.lastModified = Seconds(row.modified);
    raw.push_back(std::move(item));
    if (row.type == 2 && visited.insert(row.id).second) {
      stack.push_back({row.id, static_cast<int>(raw.size() - 1), 0});
    }
  }
  return raw;
}

}  // namespace

bool IsSqliteDatabase(const std::string& text) {
  return text.size() >= 16 && std::memcmp(text.data(), kSqliteMagic, 16) == 0;
}

bool ReadPlacesStore(std::string db, const std::string& wal, std::vector<BookmarkItem>& items) {
  items.clear();
  if (!IsSqliteDatabase(db) || db.size() < 100) return false;
  // A log that does not belong to the file is left aside: the file alone is still a store.
  if (!wal.empty()) ApplySqliteWal(db, wal);
  // The image in memory has its log applied: it is read as a database without one.
  if (db[18] == 2) db[18] = 1;
  if (db[19] == 2) db[19] = 1;
  CMemoryDatabase database;
  std::vector<Row> rows;
  if (!database.Open(db) || !ReadRows(database.Handle(), rows)) return false;
  items = TidyBookmarks(Tree(rows));
  return true;
}

}  // namespace vesk
