#include "publish/bookmark_store.h"

#include <utility>
#include <vector>

#include "document/veskdoc.h"
#include "platform/file_system.h"
#include "platform/read_only_file.h"
#include "publish/bookmark_file.h"
#include "publish/bookmark_reader.h"
#include "publish/chromium_bookmarks.h"
#include "publish/file_errors.h"
#include "publish/places_store.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {

BookmarkStoreKind DetectBookmarkStore(const std::string& path) {
  platform::CReadOnlyFile file;
  if (!file.Open(path)) return BookmarkStoreKind::None;
  // The browser writes "roots" after a checksum of a few dozen bytes.
  std::string head(4096, '\0');
  const long got = file.Read(head.data(), head.size());
  if (got <= 0) return BookmarkStoreKind::None;
  head.resize(static_cast<std::size_t>(got));
  if (IsSqliteDatabase(head)) return BookmarkStoreKind::Places;
  if (IsChromiumBookmarks(head)) return BookmarkStoreKind::Chromium;
  return BookmarkStoreKind::None;
}

bool ImportBookmarkStore(CVeskDoc& doc, const std::string& path, BookmarkImportResult* result) {
  IUserInterface& ui = doc.UI();
  const BookmarkStoreKind kind = DetectBookmarkStore(path);
  std::string bytes;
  FileErrorCause cause = kFileErrNone;
  const std::size_t max = kind == BookmarkStoreKind::Places ? kPlacesStoreMax : kBookmarkFileMax;
  if (!platform::ReadWholeFile(path, bytes, max, &cause)) {
    ReportFileError(ui, cause == kFileErrNone ? kFileErrGeneric : cause, path);
    return false;
  }
  std::vector<BookmarkItem> items;
  bool read = false;
  if (kind == BookmarkStoreKind::Chromium) {
    read = ReadChromiumBookmarks(bytes, items);
  } else if (kind == BookmarkStoreKind::Places) {
    // The log is optional and only ever read: a missing or unreadable one leaves the file alone.
    std::string wal;
    if (!platform::ReadWholeFile(path + "-wal", wal, kPlacesStoreMax)) wal.clear();
    read = ReadPlacesStore(std::move(bytes), wal, items);
  }
  if (!read) {
    ui.MessageBox(ResFormat(kIdsNotBookmarkFile, ToCp932(path)), MbButtons::Ok, MbIcon::Stop);
    return false;
  }
  return ImportBookmarkItems(doc, items, result);
}

bool ImportBookmarksOrStore(CVeskDoc& doc, const std::string& path) {
  if (DetectBookmarkStore(path) != BookmarkStoreKind::None) return ImportBookmarkStore(doc, path);
  return ImportBookmarkFile(doc, path);
}

}  // namespace vesk
