#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "platform/win32/wide_text.h"

namespace calvern::platform {
namespace {

// An open Win32 handle, closed when it goes.
struct Handle {
  HANDLE value;
  explicit Handle(HANDLE h) : value(h) {}
  ~Handle() {
    if (Valid()) CloseHandle(value);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return value != INVALID_HANDLE_VALUE && value != nullptr; }
};

// Opens an existing file, directory or device to ask about it, not to read it.
HANDLE OpenToInspect(const std::string& path) {
  return CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A regular file lies on a disk and is no directory.
bool IsRegular(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
         !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  return true;
}

std::wstring FullPath(const std::string& path) {
  std::wstring wide = Widen(path);
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return wide;
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  full.resize(size);
  return full;
}

// Temporary files not yet in place. Ctrl-C, Ctrl-Break and the closing of the console end a
// program that does not handle them itself (the menu does, and its files go their usual way),
// and exit() ends it from anywhere: the temporary files are removed first. The console's
// handler runs in a thread of its own, hence the lock.
struct PendingTemporaries {
  CRITICAL_SECTION lock;
  std::vector<std::wstring> names;
  PendingTemporaries() { InitializeCriticalSection(&lock); }
};

// Never destroyed: the handlers may run while the program ends.
PendingTemporaries& Pending() {
  static PendingTemporaries* pending = new PendingTemporaries;
  return *pending;
}

class PendingLock {
 public:
  PendingLock() { EnterCriticalSection(&Pending().lock); }
  ~PendingLock() { LeaveCriticalSection(&Pending().lock); }
  PendingLock(const PendingLock&) = delete;
  PendingLock& operator=(const PendingLock&) = delete;
};

void RemovePendingTemporaries() {
  PendingLock held;
  // A file still open is removed when its handle closes, as the program ends.
  for (const std::wstring& name : Pending().names) DeleteFileW(name.c_str());
  Pending().names.clear();
}

void ForgetPending(const std::wstring& name) {
  PendingLock held;
  std::vector<std::wstring>& names = Pending().names;
  names.erase(std::remove(names.begin(), names.end(), name), names.end());
}

BOOL WINAPI RemoveTemporariesOnStop(DWORD) {
  RemovePendingTemporaries();
  return FALSE;  // the system's own handling ends the program
}

// Installed before any console of the menu, whose handler is then asked first and keeps the
// program running.
const bool stopHandlerInstalled = [] {
  std::atexit([] { RemovePendingTemporaries(); });
  return SetConsoleCtrlHandler(RemoveTemporariesOnStop, TRUE) != 0;
}();

class WindowsReplacementFile : public ReplacementFile {
 public:
  // Takes over a temporary file already recorded as pending.
  WindowsReplacementFile(std::wstring target, std::wstring temporary, HANDLE file)
      : target_(std::move(target)), temporary_(std::move(temporary)), file_(file) {}
  ~WindowsReplacementFile() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    if (!committed_) DeleteFileW(temporary_.c_str());
    ForgetPending(temporary_);
  }

  bool Append(std::string_view part) override {
    if (file_ == INVALID_HANDLE_VALUE || committed_ || failed_) return false;
    failed_ = !WriteAll(file_, part);
    return !failed_;
  }

  bool Commit(std::string_view content, Durability durability, Placement placement) override {
    if (file_ == INVALID_HANDLE_VALUE || committed_ || failed_) return false;
    bool ok = WriteAll(file_, content) &&
              (durability == Durability::kRenameOnly || FlushFileBuffers(file_));
    ok = CloseHandle(file_) && ok;
    file_ = INVALID_HANDLE_VALUE;
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken, in one step.
    DWORD flags = MOVEFILE_WRITE_THROUGH;
    if (placement == Placement::kReplace) flags |= MOVEFILE_REPLACE_EXISTING;
    if (!ok || !MoveFileExW(temporary_.c_str(), target_.c_str(), flags)) return false;
    committed_ = true;
    ForgetPending(temporary_);
    return true;
  }

 private:
  std::wstring target_;
  std::wstring temporary_;
  HANDLE file_;
  bool committed_ = false;
  bool failed_ = false;  // a part could not be written
};

}  // namespace

bool PathExists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CurrentDirectory() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring buffer(size, L'\0');
  size = GetCurrentDirectoryW(size, buffer.data());
  buffer.resize(size);
  std::string dir = Narrow(buffer);
  if (dir.empty()) return ".\\";
  if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
  return dir;
}

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(Widen(directory + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(Narrow(entry.cFileName));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// Absolute: a drive and a separator (C:\x), or a separator first (\x on the current drive,
// \\server\share). "/" counts as a separator, as everywhere in the program.
std::string AbsolutePath(const std::string& path, const std::string& base) {
  if (path.empty() || path[0] == '/' || path[0] == '\\') return path;
  if (path.size() >= 2 && path[1] == ':') return path;
  return base + path;
}

bool SameFile(const std::string& a, const std::string& b) {
  Handle fileA(OpenToInspect(a)), fileB(OpenToInspect(b));
  if (fileA.Valid() && fileB.Valid()) {
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    if (GetFileInformationByHandle(fileA.value, &infoA) &&
        GetFileInformationByHandle(fileB.value, &infoB)) {
      return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
             infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
             infoA.nFileIndexLow == infoB.nFileIndexLow;
    }
  }
  // Files still to be made: the same place, letters compared as Windows does, without case.
  std::wstring placeA = FullPath(a), placeB = FullPath(b);
  return CompareStringOrdinal(placeA.c_str(), static_cast<int>(placeA.size()), placeB.c_str(),
                              static_cast<int>(placeB.size()), TRUE) == CSTR_EQUAL;
}

bool ExistsButNotRegular(const std::string& path) {
  Handle file(OpenToInspect(path));
  return file.Valid() && !IsRegular(file.value);
}

namespace {

FileProblem ProblemOfError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return FileProblem::kMissing;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return FileProblem::kNoDirectory;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return FileProblem::kNoPermission;
    case ERROR_CANT_RESOLVE_FILENAME:
      return FileProblem::kLinkLoop;
    default:
      return FileProblem::kNone;
  }
}

}  // namespace

FileProblem ReadingProblem(const std::string& path, std::size_t maxBytes) {
  Handle file(OpenToInspect(path));
  if (!file.Valid()) {
    FileProblem problem = ProblemOfError(GetLastError());
    return problem == FileProblem::kNoDirectory ? FileProblem::kMissing : problem;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file.value, &info) &&
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return FileProblem::kDirectory;
  }
  if (!IsRegular(file.value)) return FileProblem::kNotRegular;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file.value, &size) && static_cast<std::uintmax_t>(size.QuadPart) > maxBytes) {
    return FileProblem::kTooLarge;
  }
  Handle readable(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  return readable.Valid() ? FileProblem::kNone : ProblemOfError(GetLastError());
}

FileProblem WritingProblem(const std::string& path) {
  Handle file(OpenToInspect(path));
  if (file.Valid()) {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file.value, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return FileProblem::kDirectory;
    }
    if (!IsRegular(file.value)) return FileProblem::kNotRegular;
  }
  // The new file is made in the target's directory.
  std::wstring full = FullPath(path);
  std::size_t separator = full.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return FileProblem::kNone;
  DWORD attributes = GetFileAttributesW(full.substr(0, separator + 1).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    FileProblem problem = ProblemOfError(GetLastError());
    return problem == FileProblem::kMissing ? FileProblem::kNoDirectory : problem;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FileProblem::kNoDirectory;
  return FileProblem::kNone;
}

std::optional<std::uintmax_t> RegularFileSize(const std::string& path) {
  Handle file(OpenToInspect(path));
  LARGE_INTEGER size;
  if (!file.Valid() || !IsRegular(file.value) || !GetFileSizeEx(file.value, &size)) {
    return std::nullopt;
  }
  return static_cast<std::uintmax_t>(size.QuadPart);
}

bool RenameFile(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool RemoveFile(const std::string& path) {
  if (DeleteFileW(Widen(path).c_str())) return true;
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  // Only regular files are read: a device or a pipe could hold the program forever.
  if (!file.Valid() || !IsRegular(file.value)) return std::nullopt;
  // A file larger than allowed is refused before a byte of it is read.
  LARGE_INTEGER size;
  if (GetFileSizeEx(file.value, &size) && static_cast<std::uintmax_t>(size.QuadPart) > maxBytes) {
    return std::nullopt;
  }
  std::string content;
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.value, buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    content.append(buffer, read);
    if (content.size() > maxBytes) return std::nullopt;
  }
  return content;
}

std::unique_ptr<ReplacementFile> ReplacementFile::Create(const std::string& path) {
  if (path.empty() || ExistsButNotRegular(path)) return nullptr;
  // Created exclusively under a fresh name beside the target: never through a name that
  // exists already.
  static std::mt19937 random{std::random_device{}() ^ GetCurrentProcessId()};
  std::wstring target = Widen(path);
  (void)stopHandlerInstalled;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring temporary = target + L"." + std::to_wstring(random() % 1000000);
    // Shared for deletion only, so that a stop can remove it while it is open.
    PendingLock held;
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      Pending().names.push_back(temporary);
      return std::make_unique<WindowsReplacementFile>(target, temporary, file);
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return nullptr;
  }
  return nullptr;
}

}  // namespace calvern::platform
