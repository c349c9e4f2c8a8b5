#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace calvern::platform {
namespace {

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

class PosixReplacementFile : public ReplacementFile {
 public:
  PosixReplacementFile(std::string target, std::string temporary, int fd)
      : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}
  ~PosixReplacementFile() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temporary_.c_str());
  }

  bool Commit(std::string_view content, Durability durability, Placement placement) override {
    if (fd_ < 0 || committed_) return false;
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
    if (!ok || !Place(placement)) return false;
    committed_ = true;
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
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::equivalent(a, b, error) && !error) return true;
  fs::path placeA = fs::weakly_canonical(fs::absolute(a, error), error);
  if (error) return false;
  fs::path placeB = fs::weakly_canonical(fs::absolute(b, error), error);
  return !error && placeA == placeB;
}

bool ExistsButNotRegular(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
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
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(::fdopen(fd, "rb"), &std::fclose);
  if (!file) {
    ::close(fd);
    return std::nullopt;
  }
  std::string content;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    content.append(buffer, n);
    if (content.size() > maxBytes) return std::nullopt;
  }
  // A directory opens on some systems but cannot be read: treat it as unopenable.
  if (std::ferror(file.get())) return std::nullopt;
  return content;
}

std::unique_ptr<ReplacementFile> ReplacementFile::Create(const std::string& path) {
  if (path.empty() || ExistsButNotRegular(path)) return nullptr;
  // Created exclusively under a fresh name: never through a name that exists already.
  std::string temporary = path + ".XXXXXX";
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) return nullptr;
  return std::make_unique<PosixReplacementFile>(path, std::move(temporary), fd);
}

}  // namespace calvern::platform
