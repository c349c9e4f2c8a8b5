#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace calvern::platform {

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

bool PathExists(const std::string& path) {
  struct stat entry;
  return lstat(path.c_str(), &entry) == 0;
}

namespace {

// Writes the content to a temporary file created exclusively beside `path` (never through a
// file or link that was already there). Returns its name, or empty when it failed.
std::string WriteTemporaryBeside(const std::string& path, const std::string& content) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temporary =
        path + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return std::string();
    }
    std::size_t done = 0;
    while (done < content.size()) {
      ssize_t n = write(fd, content.data() + done, content.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    bool complete = done == content.size() && fsync(fd) == 0;
    if (close(fd) != 0 || !complete) {
      unlink(temporary.c_str());
      return std::string();
    }
    return temporary;
  }
  return std::string();
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::string& content) {
  std::string temporary = WriteTemporaryBeside(path, content);
  if (temporary.empty()) return false;
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool WriteNewFile(const std::string& path, const std::string& content) {
  std::string temporary = WriteTemporaryBeside(path, content);
  if (temporary.empty()) return false;
  // A hard link fails when the name is taken, where a rename would replace the file.
  bool placed = link(temporary.c_str(), path.c_str()) == 0;
  // File systems without hard links: rename, after checking that the name is still free.
  if (!placed && errno != EEXIST && !PathExists(path)) {
    placed = std::rename(temporary.c_str(), path.c_str()) == 0;
  }
  unlink(temporary.c_str());
  return placed;
}

}  // namespace calvern::platform
