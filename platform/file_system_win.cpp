#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {

namespace {

void SetCause(FileErrorCause* cause, FileErrorCause value) {
  if (cause) *cause = value;
}

void SetLastErrorCause(FileErrorCause* cause) {
  const FileErrorCause c = FileErrorCauseFromWin32(::GetLastError());
  SetCause(cause, c == kFileErrNone ? kFileErrGeneric : c);
}

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

// ".<name>.vesk-tmp" beside path, the name cut so that the whole stays within the 255
// characters a file name may have.
std::string TempNameFor(const std::string& path) {
  const std::size_t slash = LastSeparator(path);
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() > 200) name.resize(200);
  return folder + "." + name + ".vesk-tmp";
}

// What a directory entry with these attributes is; every reparse point (a symbolic link, a
// junction, a mount point) counts as a link, so none is ever written through.
EntryKind KindFromAttributes(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Special;
  return EntryKind::Regular;
}

// Opens what stands at path for querying only, following links.
HANDLE OpenForQuery(const std::wstring& wide) {
  return ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Removes the entry itself: a link to a folder (a junction) is a folder entry to Windows.
void RemoveEntry(const std::wstring& wide) {
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    ::RemoveDirectoryW(wide.c_str());
  else
    ::DeleteFileW(wide.c_str());
}

// Creates the file exclusively, never through a link; INVALID_HANDLE_VALUE with cause set.
HANDLE CreateExclusiveHandle(const std::string& path, FileErrorCause* cause) {
  std::wstring wide;
  if (!CheckedWidePath(path, wide, cause)) return INVALID_HANDLE_VALUE;
  // A leftover file or a link is removed (the link itself, never what it points to); a folder
  // or anything else is left alone and makes the exclusive create fail below.
  const EntryKind kind = GetEntryKind(path);
  if (kind == EntryKind::Regular || kind == EntryKind::Link) RemoveEntry(wide);
  HANDLE h =
      ::CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) SetLastErrorCause(cause);
  return h;
}

bool WriteAll(HANDLE h, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD done = 0;
    if (!::WriteFile(h, data, chunk, &done, nullptr) || done == 0) return false;
    data += done;
    size -= done;
  }
  return true;
}

}  // namespace

PathKind GetPathKind(const std::string& path) {
  if (path.empty()) return PathKind::Missing;
  std::wstring wide;
  // A name Windows would take for a device or change is something, and never a folder.
  if (!CheckedWidePath(path, wide, nullptr)) return PathKind::Other;
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::Other;
  CWinHandle h(OpenForQuery(wide));
  BY_HANDLE_FILE_INFORMATION info;
  if (!h.Ok() || !::GetFileInformationByHandle(h.Get(), &info)) return PathKind::Other;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::Other;
}

EntryKind GetEntryKind(const std::string& path) {
  if (path.empty()) return EntryKind::Missing;
  std::wstring wide;
  if (!CheckedWidePath(path, wide, nullptr)) return EntryKind::Special;
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::Missing;
  return KindFromAttributes(attributes);
}

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries, FileErrorCause* cause) {
  entries.clear();
  std::wstring wide;
  if (!CheckedWidePath(path, wide, cause)) return false;
  if (wide.back() != L'\\') wide += L'\\';
  wide += L'*';
  WIN32_FIND_DATAW found;
  HANDLE find =
      ::FindFirstFileExW(wide.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    // An empty drive root has no "." entry to find.
    if (error == ERROR_FILE_NOT_FOUND && GetPathKind(path) == PathKind::Folder) return true;
    const FileErrorCause c = FileErrorCauseFromWin32(error);
    SetCause(cause, c == kFileErrNone ? kFileErrGeneric : c);
    return false;
  }
  do {
    const std::wstring wname = found.cFileName;
    if (wname == L"." || wname == L"..") continue;
    std::string name = FromWide(wname);
    if (name.empty()) continue;  // no UTF-8 form: no path of the program can name it
    EntryKind kind = KindFromAttributes(found.dwFileAttributes);
    if (IsRefusedWindowsName(name)) kind = EntryKind::Special;
    entries.push_back({std::move(name), kind});
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return true;
}

std::string RealPath(const std::string& path) {
  std::wstring wide;
  if (!CheckedWidePath(path, wide, nullptr)) return {};
  CWinHandle h(OpenForQuery(wide));
  if (!h.Ok()) return {};
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        ::GetFinalPathNameByHandleW(h.Get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.assign(n + 1, L'\0');
  }
  // "\\?\C:\dir" is the answer for a local drive; a network share ("\\?\UNC\") is not one of
  // the folders the program writes to.
  if (buffer.rfind(L"\\\\?\\", 0) == 0) buffer.erase(0, 4);
  if (buffer.size() < 3 || buffer[1] != L':' || buffer[2] != L'\\') return {};
  std::string result = FromWide(buffer);
  std::replace(result.begin(), result.end(), '\\', '/');
  if (result.size() > 3 && result.back() == '/') result.pop_back();
  return result;
}

bool GetFileId(const std::string& path, FileId& id) {
  std::wstring wide;
  if (!CheckedWidePath(path, wide, nullptr)) return false;
  CWinHandle h(OpenForQuery(wide));
  BY_HANDLE_FILE_INFORMATION info;
  if (!h.Ok() || !::GetFileInformationByHandle(h.Get(), &info)) return false;
  id.dev = info.dwVolumeSerialNumber;
  id.ino = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

int CreateExclusiveFile(const std::string& path, FileErrorCause* cause) {
  HANDLE h = CreateExclusiveHandle(path, cause);
  if (h == INVALID_HANDLE_VALUE) return -1;
  // The callers write through the C runtime's descriptors.
  const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(h), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    ::CloseHandle(h);
    SetCause(cause, kFileErrTooManyOpen);
  }
  return fd;
}

bool RenameFile(const std::string& from, const std::string& to, FileErrorCause* cause) {
  std::wstring wideFrom, wideTo;
  if (!CheckedWidePath(from, wideFrom, cause) || !CheckedWidePath(to, wideTo, cause)) return false;
  if (::MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  SetLastErrorCause(cause);
  return false;
}

bool CreateFolder(const std::string& path) {
  std::wstring wide;
  if (!CheckedWidePath(path, wide, nullptr)) return false;
  if (::CreateDirectoryW(wide.c_str(), nullptr)) return true;
  // Someone else may have made it between the caller's check and ours.
  return ::GetLastError() == ERROR_ALREADY_EXISTS && GetPathKind(path) == PathKind::Folder;
}

bool ReplaceFileAtomically(const std::string& target, const std::string& bytes,
                           FileErrorCause* cause) {
  // A file reached through a symbolic link is saved where the link points; the link stays.
  std::string path = target;
  if (GetEntryKind(target) == EntryKind::Link) {
    std::string real = RealPath(target);
    if (!real.empty()) path = real;
  }
  return ReplaceEntryAtomically(path, bytes, cause);
}

bool ReplaceEntryAtomically(const std::string& path, const std::string& bytes,
                            FileErrorCause* cause) {
  std::wstring widePath;
  if (!CheckedWidePath(path, widePath, cause)) return false;
  const std::string temp = TempNameFor(path);
  CWinHandle h(CreateExclusiveHandle(temp, cause));
  if (!h.Ok()) return false;
  std::wstring wideTemp;
  ToWidePath(temp, wideTemp);
  if (!WriteAll(h.Get(), bytes.data(), bytes.size()) || !::FlushFileBuffers(h.Get())) {
    SetLastErrorCause(cause);
    ::CloseHandle(h.Release());
    ::DeleteFileW(wideTemp.c_str());
    return false;
  }
  if (!::CloseHandle(h.Release())) {
    SetLastErrorCause(cause);
    ::DeleteFileW(wideTemp.c_str());
    return false;
  }
  // One step, made durable before it returns; on failure the old file is untouched.
  if (!::MoveFileExW(wideTemp.c_str(), widePath.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    SetLastErrorCause(cause);
    ::DeleteFileW(wideTemp.c_str());
    return false;
  }
  return true;
}

}  // namespace vesk::platform
