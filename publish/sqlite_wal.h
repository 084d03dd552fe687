// The write-ahead log of an SQLite database, applied to a copy of the database in memory, so a
// store that a running program keeps open is read as that program sees it, without touching its
// files or its locks.
#pragma once

#include <string>

namespace vesk {

// Writes the pages of every committed transaction in wal (the "-wal" file's bytes) into db (the
// database file's bytes) and sizes db as the last commit says, as SQLite's own recovery does:
// frames are taken up to the first one whose salts or checksums do not match, and frames after
// the last commit are left out. False, with db unchanged, when wal is no log of db (bad header,
// page size other than db's); a log with no committed frame is true and changes nothing.
bool ApplySqliteWal(std::string& db, const std::string& wal);

}  // namespace vesk
