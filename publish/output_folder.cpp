#include "publish/output_folder.h"

#include "text/file_path.h"

namespace vesk {

std::string OutputFolder(const std::string& folderField, const std::string& docFolder) {
  std::string folder;
  if (!PathFromSjis(folderField, folder)) return docFolder;
  while (!folder.empty() && folder.back() == kPathSep) folder.pop_back();
  if (folder.empty() || CFilePath(folder).FolderKind() != FolderKindResult::Folder) return docFolder;
  return folder + kPathSep;
}

}  // namespace vesk
