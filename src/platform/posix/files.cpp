#include "platform/files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace calvern::platform {
namespace {

// Temporary files not yet in place. A signal that ends the program, or an exit() from
// anywhere, removes them first: an interrupted compilation leaves no "out.LST.Ab12Cd" behind.
// The handler reads the slots without locks: the program has one thread, and a slot is emptied
// before the name it points to is freed.
constexpr int kPendingSlots = 64;
std::atomic<const char*> pendingTemporaries[kPendingSlots];

// The signals whose default action ends the process and that arrive from outside: a crash
// signal is left to its own handling (the sanitizers report through it).
constexpr int kEndingSignals[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM, SIGPIPE,   SIGALRM, SIGUSR1,
                                  SIGUSR2, SIGXCPU, SIGXFSZ, SIGABRT, SIGVTALRM, SIGPROF};

void RemovePendingTemporaries() {
  for (std::atomic<const char*>& slot : pendingTemporaries) {
    if (const char* name = slot.load()) ::unlink(name);
  }
}

extern "C" void RemoveTemporariesAndEnd(int signal) {
  RemovePendingTemporaries();
  // Ended by the same signal, so that the parent sees why.
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  ::sigaction(signal, &byDefault, nullptr);
  ::raise(signal);  // delivered as soon as this handler returns
}

extern "C" void RemoveTemporariesAtExit() { RemovePendingTemporaries(); }

// Installed once, before the first temporary file, for the signals that would end the program
// without a word. A signal the program handles itself (the menu ends in order on SIGINT and
// SIGTERM, and its temporary files go their usual way) or ignores keeps its handling.
void GuardAgainstEndingSignals() {
  static const bool installed = [] {
    struct sigaction cleanup {};
    cleanup.sa_handler = RemoveTemporariesAndEnd;
    sigemptyset(&cleanup.sa_mask);
    for (int signal : kEndingSignals) sigaddset(&cleanup.sa_mask, signal);
    for (int signal : kEndingSignals) {
      struct sigaction current {};
      if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL &&
          !(current.sa_flags & SA_SIGINFO)) {
        ::sigaction(signal, &cleanup, nullptr);
      }
    }
    std::atexit(RemoveTemporariesAtExit);
    return true;
  }();
  (void)installed;
}

// Holds back the ending signals while a temporary file is made or put in place, so that no
// signal falls between the creation of a file and its record, or between its rename and the
// removal of its record.
class EndingSignalsHeld {
 public:
  EndingSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kEndingSignals) sigaddset(&held, signal);
    ::sigprocmask(SIG_BLOCK, &held, &previous_);
  }
  ~EndingSignalsHeld() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  EndingSignalsHeld(const EndingSignalsHeld&) = delete;
  EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

void RecordPending(const char* name) {
  for (std::atomic<const char*>& slot : pendingTemporaries) {
    const char* empty = nullptr;
    if (slot.compare_exchange_strong(empty, name)) return;
  }
}

void ForgetPending(const char* name) {
  for (std::atomic<const char*>& slot : pendingTemporaries) {
    const char* mine = name;
    if (slot.compare_exchange_strong(mine, nullptr)) return;
  }
}

// Writes all of `content` to a descriptor, retrying after interruptions and short writes.
bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The directory part of a path up to its last "/", or "." for a bare name.
std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Where a path leads through symbolic links: the first name on the way that is no link (it
// may not exist yet). Nothing when the links go round in a circle or too far.
std::optional<std::string> FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(4096, '\0');
    ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return path;
    target.resize(static_cast<std::size_t>(n));
    // A relative link is read from the directory that holds it.
    if (target[0] != '/') {
      std::size_t slash = path.rfind('/');
      if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
    }
    path = std::move(target);
  }
  return std::nullopt;
}

class PosixReplacementFile : public ReplacementFile {
 public:
  // Takes over a temporary file just created; RecordAsPending marks it for removal on a signal.
  PosixReplacementFile(std::string target, std::string temporary, int fd)
      : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}
  ~PosixReplacementFile() override {
    if (fd_ >= 0) ::close(fd_);
    EndingSignalsHeld held;
    if (!committed_) ::unlink(temporary_.c_str());
    ForgetPending(temporary_.c_str());
  }

  void RecordAsPending() { RecordPending(temporary_.c_str()); }

  bool Append(std::string_view part) override {
    if (fd_ < 0 || committed_ || failed_) return false;
    failed_ = !WriteAll(fd_, part);
    return !failed_;
  }

  bool Commit(std::string_view content, Durability durability, Placement placement) override {
    if (fd_ < 0 || committed_ || failed_) return false;
    // The new file keeps the permissions of the one it replaces; a new one gets the usual
    // permissions of the user's new files (the temporary file was private to us).
    struct stat old;
    if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
      (void)::fchmod(fd_, old.st_mode & 07777);
    } else {
      mode_t mask = ::umask(0);
      ::umask(mask);
      (void)::fchmod(fd_, 0666 & ~mask);
    }
    bool ok =
        WriteAll(fd_, content) && (durability == Durability::kRenameOnly || ::fsync(fd_) == 0);
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok) return false;
    EndingSignalsHeld held;
    if (!Place(placement)) return false;
    committed_ = true;
    ForgetPending(temporary_.c_str());
    return true;
  }

 private:
  bool Place(Placement placement) {
    if (placement == Placement::kReplace) return ::rename(temporary_.c_str(), target_.c_str()) == 0;
    // A hard link fails when the name is taken, where a rename would replace the file.
    bool placed = ::link(temporary_.c_str(), target_.c_str()) == 0;
    // File systems without hard links: rename, after checking that the name is still free.
    if (!placed && errno != EEXIST && !PathExists(target_)) {
      return ::rename(temporary_.c_str(), target_.c_str()) == 0;
    }
    ::unlink(temporary_.c_str());
    return placed;
  }

  std::string target_;
  std::string temporary_;
  int fd_;
  bool committed_ = false;
  bool failed_ = false;  // a part could not be written
};

}  // namespace

bool PathExists(const std::string& path) {
  struct stat entry;
  return ::lstat(path.c_str(), &entry) == 0;
}

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (buffer.size() > (1u << 20)) return "./";
    buffer.resize(buffer.size() * 2);
  }
  std::string dir = buffer.data();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    std::error_code typeError;
    if (entry.is_regular_file(typeError)) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string AbsolutePath(const std::string& path, const std::string& base) {
  if (path.empty() || path[0] == '/') return path;
  return base + path;
}

bool SameFile(const std::string& a, const std::string& b) {
  // Files that exist are one file when they have the same device and inode (through links
  // too), and a file that exists is never one still to be made: two stat calls, where the
  // places below take a system call for every part of each path.
  struct stat infoA, infoB;
  const bool hasA = ::stat(a.c_str(), &infoA) == 0;
  const bool missingA = !hasA && errno == ENOENT;
  const bool hasB = ::stat(b.c_str(), &infoB) == 0;
  const bool missingB = !hasB && errno == ENOENT;
  if (hasA && hasB) return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
  if ((hasA && missingB) || (missingA && hasB)) return false;
  // Files still to be made (or paths the system would not look into): the same place.
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path placeA = fs::weakly_canonical(fs::absolute(a, error), error);
  if (error) return false;
  fs::path placeB = fs::weakly_canonical(fs::absolute(b, error), error);
  return !error && placeA == placeB;
}

bool ExistsButNotRegular(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

FileProblem ReadingProblem(const std::string& path, std::size_t maxBytes) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    switch (errno) {
      case ENOENT:
      case ENOTDIR:
        return FileProblem::kMissing;
      case ELOOP:
        return FileProblem::kLinkLoop;
      case EACCES:
        return FileProblem::kNoPermission;
      default:
        return FileProblem::kNone;
    }
  }
  if (S_ISDIR(info.st_mode)) return FileProblem::kDirectory;
  if (!S_ISREG(info.st_mode)) return FileProblem::kNotRegular;
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return FileProblem::kTooLarge;
  if (::access(path.c_str(), R_OK) != 0) return FileProblem::kNoPermission;
  return FileProblem::kNone;
}

FileProblem WritingProblem(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return FileProblem::kDirectory;
    if (!S_ISREG(info.st_mode)) return FileProblem::kNotRegular;
  } else if (errno == ELOOP) {
    return FileProblem::kLinkLoop;
  }
  std::optional<std::string> target = FollowLinks(path);
  if (!target) return FileProblem::kLinkLoop;
  // The new file is made in the target's directory, and renamed there.
  const std::string directory = DirectoryOf(*target);
  if (::stat(directory.c_str(), &info) != 0) {
    return errno == EACCES ? FileProblem::kNoPermission : FileProblem::kNoDirectory;
  }
  if (!S_ISDIR(info.st_mode)) return FileProblem::kNoDirectory;
  if (::access(directory.c_str(), W_OK | X_OK) != 0 && errno == EACCES) {
    return FileProblem::kNoPermission;
  }
  return FileProblem::kNone;
}

std::optional<std::uintmax_t> RegularFileSize(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::uintmax_t>(info.st_size);
}

bool RenameFile(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  // Opened without waiting, so that a FIFO cannot hold the program; only regular files read.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info;
  // A file larger than allowed is refused before a byte of it is read.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
    ::close(fd);
    return std::nullopt;
  }
  // Read straight into the text, sized by the file: no buffer between (a 64 KB one on the
  // stack cost a compilation 16 fresh pages). One byte more than the size tells whether the
  // file grew while it was read; it may grow up to the limit and one byte past it.
  const std::size_t limit = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
  std::string content(std::min(limit, static_cast<std::size_t>(info.st_size) + 1), '\0');
  std::size_t have = 0;
  for (;;) {
    if (have == content.size()) {
      if (have >= limit) break;
      content.resize(std::min(limit, have * 2));
    }
    const ssize_t n = ::read(fd, content.data() + have, content.size() - have);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      // A directory opens on some systems but cannot be read: treat it as unopenable.
      ::close(fd);
      return std::nullopt;
    }
    have += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (have > maxBytes) return std::nullopt;
  content.resize(have);
  return content;
}

std::unique_ptr<ReplacementFile> ReplacementFile::Create(const std::string& requested) {
  if (requested.empty() || ExistsButNotRegular(requested)) return nullptr;
  // A link is kept: the file it leads to is replaced, by a file made in the same directory.
  std::optional<std::string> path = FollowLinks(requested);
  if (!path) return nullptr;
  GuardAgainstEndingSignals();
  // Created exclusively under a fresh name: never through a name that exists already.
  std::string temporary = *path + ".XXXXXX";
  EndingSignalsHeld held;
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) return nullptr;
  auto file = std::make_unique<PosixReplacementFile>(*path, std::move(temporary), fd);
  file->RecordAsPending();
  return file;
}

}  // namespace calvern::platform
