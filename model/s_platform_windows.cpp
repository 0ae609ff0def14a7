// The system calls of the core on Windows. Every path reaches the system as
// UTF-16 (the wide calls), so that Chinese folder and file names work under
// any system code page.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <string>

#include "s_platform.h"

namespace s_platform {

namespace {

HANDLE handle_of(File file) { return reinterpret_cast<HANDLE>(file); }

// Removes the temporary files that earlier replacements in this folder left
// behind when their process was killed. A replacement at work holds its file
// open without sharing, so only abandoned files can be opened here; they are
// deleted when this handle closes.
void remove_abandoned(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> names;
  if (!list_folder(folder, names)) return;
  for (const std::filesystem::path& name : names) {
    if (!is_temporary_name(name)) continue;
    const HANDLE h = ::CreateFileW((folder / name).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }
}

// The file that a symbolic link (or a chain of them) finally names.
bool resolve_link(const std::filesystem::path& link, std::filesystem::path& file) {
  const HANDLE h = ::CreateFileW(link.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::wstring name(MAX_PATH, L'\0');
  DWORD length = ::GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
  if (length >= name.size()) {
    name.resize(length);
    length = ::GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
  }
  ::CloseHandle(h);
  if (length == 0 || length >= name.size()) return false;
  name.resize(length);
  file = name;
  return true;
}

}  // namespace

bool open_for_reading(const std::filesystem::path& path, File& file, uint64_t& size) {
  const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER bytes {};
  if (::GetFileType(h) != FILE_TYPE_DISK || !::GetFileSizeEx(h, &bytes)) {
    ::CloseHandle(h);
    return false;
  }
  file = reinterpret_cast<File>(h);
  size = static_cast<uint64_t>(std::max<LONGLONG>(bytes.QuadPart, 0));
  return true;
}

long long read(File file, char* dst, size_t n) {
  DWORD got = 0;
  const DWORD want = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
  if (!::ReadFile(handle_of(file), dst, want, &got, nullptr)) return -1;
  return got;
}

bool write(File file, const char* data, size_t n) {
  while (n > 0) {
    DWORD done = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
    if (!::WriteFile(handle_of(file), data, want, &done, nullptr) || done == 0) return false;
    data += done;
    n -= done;
  }
  return true;
}

bool flush(File file) { return ::FlushFileBuffers(handle_of(file)) != 0; }

bool close(File file) { return ::CloseHandle(handle_of(file)) != 0; }

Replacement::~Replacement() { abandon(); }

bool Replacement::begin(const std::filesystem::path& target) {
  abandon();
  // A whole path, so that the replacement and the temporary file are named
  // alike whatever the current folder.
  std::error_code ec;
  target_ = std::filesystem::absolute(target, ec);
  if (ec) return false;
  DWORD attributes = ::GetFileAttributesW(target_.c_str());
  replacing_ = attributes != INVALID_FILE_ATTRIBUTES;
  if (!replacing_ && ::GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  // A symbolic link is followed: the file it names is replaced, the link
  // stays. (Making links needs an administrator's right or the developer
  // mode on Windows, so no other user can plant one.)
  if (replacing_ && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    if (!resolve_link(target_, target_)) return false;
    attributes = ::GetFileAttributesW(target_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  }
  if (replacing_ && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
  // The attributes that the new file carries on (hidden, system, archive...).
  mode_ = replacing_ ? attributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)
                     : 0;

  const std::filesystem::path folder = target_.parent_path();
  remove_abandoned(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path name = folder / temporary_name();
    // Not shared: a later replacement cannot take it for an abandoned one.
    const HANDLE h =
        ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      file_ = reinterpret_cast<File>(h);
      temp_ = name;
      return true;
    }
    if (::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool Replacement::commit() {
  if (file_ == NO_FILE) return false;
  const bool closed = close(file_);
  file_ = NO_FILE;
  if (!closed) return false;
  if (mode_ != 0 && !::SetFileAttributesW(temp_.c_str(), mode_)) return false;
  // ReplaceFileW keeps the old file's security; where it cannot be used
  // (another file system), the move writes through.
  bool moved = replacing_ && ::ReplaceFileW(target_.c_str(), temp_.c_str(), nullptr,
                                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
  if (!moved) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replacing_ ? MOVEFILE_REPLACE_EXISTING : 0);
    moved = ::MoveFileExW(temp_.c_str(), target_.c_str(), flags);
  }
  if (!moved) return false;
  temp_.clear();
  return true;
}

void Replacement::abandon() {
  if (file_ != NO_FILE) close(file_);
  file_ = NO_FILE;
  if (!temp_.empty()) ::DeleteFileW(temp_.c_str());
  temp_.clear();
}

Entry entry_kind(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Entry::none;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Entry::folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return Entry::other;
  return Entry::file;
}

bool create_folder(const std::filesystem::path& path) {
  return ::CreateDirectoryW(path.c_str(), nullptr) || entry_kind(path) == Entry::folder;
}

bool list_folder(const std::filesystem::path& path, std::vector<std::filesystem::path>& names) {
  names.clear();
  WIN32_FIND_DATAW entry {};
  const HANDLE find = ::FindFirstFileW((path / L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.emplace_back(name);
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return true;
}

void local_date(int& year, int& month, int& day) {
  SYSTEMTIME now {};
  ::GetLocalTime(&now);
  year = now.wYear;
  month = now.wMonth;
  day = now.wDay;
}

}  // namespace s_platform
