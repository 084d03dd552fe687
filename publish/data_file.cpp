#include "publish/data_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <new>
#include <vector>

#include "document/veskdoc.h"
#include "platform/file_removal.h"
#include "platform/read_only_file.h"
#include "publish/file_errors.h"
#include "publish/page_memo.h"
#ifndef _WIN32
#include "settings/settings_file_backend.h"
#endif
#include "text/encoding.h"
#include "text/file_path.h"
#include "text/text_write_file.h"

namespace vesk {
namespace {

// Reads size bytes from the front of an open file; false when fewer are there.
bool ReadAll(platform::CReadOnlyFile& file, char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const long n = file.Read(data + done, size - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The folder part of path (without the separator) and its file name.
void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  std::size_t slash = path.rfind('/');
  folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
  if (folder.empty()) folder = "/";
  // "C:" alone is that drive's current folder, not its root.
  if (folder.size() == 2 && folder[1] == ':') folder += '/';
  name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// path with its folder resolved (links, "." and ".."), so two spellings of one place compare
// equal; the file itself need not exist.
std::string ResolvedPath(const std::string& path) {
  std::string folder, name;
  SplitPath(path, folder, name);
  std::string real = platform::RealPath(folder);
  real = real.empty() ? path : real.back() == '/' ? real + name : real + "/" + name;
#ifdef _WIN32
  // Windows' names are the same file in any letter case: "Links.KND" is the document links.knd.
  for (char& c : real)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
#endif
  return real;
}

}  // namespace

CDataFile::CDataFile(CVeskDoc& doc)
    : m_pNodeList(&doc.GetNodeList()),
      m_pCurrent(doc.GetCurrent()),
      m_pTop(doc.GetTopCategory()),
      m_pFileInfo(&doc.GetFileInfo()),
      m_pUi(&doc.UI()),
      m_pSettings(&doc.Settings()),
      m_pDoc(&doc) {
  // The document itself and the user's settings are never an output.
  ProtectFile(TemplatePath());
  ProtectFile(doc.GetSavedPath());
  ProtectFile(doc.GetPathName());
#ifndef _WIN32
  // The registry of a Windows build has no file to protect.
  if (auto* file = dynamic_cast<platform::CSettingsFileBackend*>(&doc.Settings().Backend())) {
    ProtectFile(file->FilePath());
    ProtectFile(file->FilePath() + ".bak");
    ProtectFile(file->FilePath() + ".lock");
  }
#endif
}

CDataFile::CDataFile(IUserInterface& ui) : m_pUi(&ui) {}

CDataFile::~CDataFile() = default;

int CDataFile::CompareFiles(const std::string& target, const std::string& temp,
                            FileErrorCause* tempCause) {
  platform::CReadOnlyFile t;
  if (!t.Open(target)) return kCompareNoTarget;
  platform::CReadOnlyFile w;
  FileErrorCause cause = kFileErrNone;
  if (!w.Open(temp, &cause)) {
    if (tempCause) *tempCause = cause == kFileErrNone ? kFileErrGeneric : cause;
    return kCompareNoTemp;
  }
  unsigned long long size1 = 0, size2 = 0;
  if (!t.Size(size1) || !w.Size(size2) || size1 != size2) return kCompareSizeDiffers;
  std::size_t size = static_cast<std::size_t>(size1);
  std::vector<char> a, b;
  try {
    a.assign(size + 1, 0);
    b.assign(size + 1, 0);
  } catch (const std::bad_alloc&) {
    return kCompareNoMemory;
  }
  if (!ReadAll(t, a.data(), size) || !ReadAll(w, b.data(), size)) {
    return kCompareReadFailed;
  }
  return a == b ? kCompareEqual : kCompareByteDiffers;
}

bool CDataFile::HoldsBytes(const std::string& target, const std::string& bytes) {
  platform::CReadOnlyFile t;
  unsigned long long size = 0;
  if (!t.Open(target) || !t.Size(size) || size != bytes.size()) return false;
  std::string content(bytes.size(), '\0');
  return ReadAll(t, content.data(), content.size()) && content == bytes;
}

void CDataFile::CommitFile(const std::string& target, const std::string& temp) {
  FileErrorCause tempCause = kFileErrGeneric;
  int r = CompareFiles(target, temp, &tempCause);
  switch (r) {
    case kCompareEqual:
      platform::RemoveFile(temp);
      return;
    case kCompareNoTemp:
      // Nothing new to put in place: the existing target stays as it is.
      ReportError(tempCause, temp);
      return;
    default:
      break;
  }
  // A rename replaces the old target in one step, so it is never missing in between; if it
  // fails the old target is still there and must not be listed as changed.
  if (PlaceFile(target, temp)) {
    m_strChanged += target;
    m_strChanged += "\r\n";
  }
}

bool CDataFile::CommitText(const std::string& target, std::string_view text,
                           FileErrorCause* cause) {
  ToDiskForm(text, m_disk);
  if (HoldsBytes(target, m_disk)) return true;
  const std::string temp = TempPath();
  CTextWriteFile file;
  if (!file.Open(temp)) {
    *cause = file.Cause();
    return false;
  }
  file.WriteRaw(m_disk);
  if (!file.Close()) {
    *cause = file.Cause();
    platform::RemoveFile(temp);
    return false;
  }
  CommitFile(target, temp);
  return true;
}

bool CDataFile::PageUnchanged(const std::string& target, std::uint64_t inputs) {
  return CPageMemo::OfProcess().Unchanged(target, inputs, m_read);
}

bool CDataFile::CommitPage(const std::string& target, std::uint64_t inputs, std::string_view text,
                           FileErrorCause* cause) {
  CPageMemo& memo = CPageMemo::OfProcess();
  if (!CommitText(target, text, cause)) {
    memo.Forget(target);
    return false;
  }
  // Also when the rename failed: the next run reads the file back and finds other bytes.
  memo.Remember(target, inputs, m_disk);
  return true;
}

std::string CDataFile::TemplatePath() const {
  if (m_pDoc) return m_pDoc->ResolveDocumentPath(m_pFileInfo->m_strTemplate);
  // The field is Shift_JIS; a text that is not names no file, so plain pages follow.
  std::string path;
  if (!m_pFileInfo || !PathFromCp932(m_pFileInfo->m_strTemplate, path)) path.clear();
  return path;
}

bool CDataFile::PlaceFile(const std::string& target, const std::string& temp) {
  // Checked again right before the rename: a link planted since the claim is not replaced.
  platform::EntryKind kind = platform::GetEntryKind(target);
  if (kind != platform::EntryKind::Missing && kind != platform::EntryKind::Regular) {
    platform::RemoveFile(temp);
    ReportBadFileName(*m_pUi, ToCp932(target));
    return false;
  }
  FileErrorCause cause = kFileErrGeneric;
  if (!platform::RenameFile(temp, target, &cause)) {
    platform::RemoveFile(temp);
    ReportError(cause, target);
    return false;
  }
  return true;
}

void CDataFile::ProtectFile(const std::string& path) {
  if (path.empty()) return;
  m_protectedPaths.insert(ResolvedPath(path));
  platform::FileId id;
  if (platform::GetFileId(path, id)) m_protectedIds.push_back(id);
}

bool CDataFile::ClaimTarget(const std::string& target, const std::string& owner, bool record) {
  std::string folder, name;
  SplitPath(target, folder, name);
  std::string resolved = ResolvedPath(target);
  bool refused = name.empty() || name[0] == '.';
  platform::EntryKind kind = platform::GetEntryKind(target);
  refused =
      refused || (kind != platform::EntryKind::Missing && kind != platform::EntryKind::Regular);
  refused = refused || m_protectedPaths.count(resolved) != 0 || m_claimed.count(resolved) != 0;
  platform::FileId id;
  if (!refused && kind == platform::EntryKind::Regular && platform::GetFileId(target, id)) {
    for (const platform::FileId& p : m_protectedIds) refused = refused || p == id;
  }
  if (refused) {
    std::string label = ToCp932(name);
    if (!owner.empty()) label = owner + " (" + label + ")";
    ReportBadFileName(*m_pUi, label);
    return false;
  }
  if (record) m_claimed.insert(resolved);
  return true;
}

bool CDataFile::WriteWholeFile(const std::string& target, const std::string& text) {
  if (!ClaimTarget(target, {}, false)) return false;
  std::string folder, name;
  SplitPath(target, folder, name);
  std::string temp = folder + "/" + kTempFileName;
  CTextWriteFile file;
  if (!file.Open(temp)) {
    ReportError(file.Cause(), temp);
    return false;
  }
  file.Write(text);
  if (!file.Close()) {
    ReportError(file.Cause(), temp);
    platform::RemoveFile(temp);
    return false;
  }
  return PlaceFile(target, temp);
}

bool CDataFile::ReportError(FileErrorCause cause, const std::string& path) {
  if (cause == kFileErrDiskFull) {
    if (m_bDiskFullShown) return false;
    m_bDiskFullShown = true;
  }
  ReportFileError(*m_pUi, cause, path);
  return true;
}

void CDataFile::BeginFiles(std::size_t total) {
  m_nFilesDone = 0;
  m_nFilesTotal = total;
  m_bCancelled = false;
  if (m_pProgress) m_pProgress->Begin(total);
}

bool CDataFile::FileDone() {
  ++m_nFilesDone;
  // A count beyond the estimate (names refused on the way change nothing here) keeps the
  // total honest.
  if (m_nFilesDone > m_nFilesTotal) m_nFilesTotal = m_nFilesDone;
  if (m_pProgress && !m_bCancelled && !m_pProgress->FileDone(m_nFilesDone, m_nFilesTotal)) {
    m_bCancelled = true;
  }
  return !m_bCancelled;
}

void CDataFile::EndFiles() {
  if (m_pProgress) m_pProgress->End();
}

bool CDataFile::IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name == kTempFileName) return false;
  for (unsigned char c : name) {
    if (c == '/' || c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

bool CDataFile::IsPlainSystemName(const std::string& fsName) {
  if (!IsPlainFileName(fsName)) return false;
#ifdef _WIN32
  if (fsName.find_first_of("\\:") != std::string::npos) return false;
#endif
  return true;
}

bool CDataFile::OutputPath(const std::string& folder, const std::string& cp932Name,
                           std::string& path) {
  std::string name;
  if (!IsPlainFileName(cp932Name) || !PathFromCp932(cp932Name, name) || !IsPlainSystemName(name))
    return false;
  path = folder + name;
  return true;
}

}  // namespace vesk
