#include "resources/file_error_text.h"

#include <cstdio>

#include "platform/file_error_cause.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {

std::string FileErrorText(FileErrorCause cause) {
  switch (cause) {
    case kFileErrNotFound:
      return ToCp932("ファイルが見つかりません");
    case kFileErrDiskFull:
      return ToCp932("ディスク容量が足りません。");
    case kFileErrAccessDenied:
      return ResString(kIdsCauseAccessDenied);
    case kFileErrBadPath:
      return ResString(kIdsCauseBadPath);
    case kFileErrInvalidFile:
      return ResString(kIdsCauseInvalidFile);
    default: {
      char text[32];
      std::snprintf(text, sizeof text, " Error Code (%d)", cause);
      return text;
    }
  }
}

std::string FileErrorText(FileErrorCause cause, const std::string& path) {
  return FileErrorText(cause) + "\n" + ResFormat(kIdsFileLine, ToCp932(path));
}

}  // namespace vesk
