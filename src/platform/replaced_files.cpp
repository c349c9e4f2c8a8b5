#include <cstdio>

#include "platform/files.h"

namespace calvern::platform {

bool WriteFileAtomically(const std::string& path, std::string_view content, Durability durability) {
  std::unique_ptr<ReplacementFile> file = ReplacementFile::Create(path);
  return file && file->Commit(content, durability);
}

bool WriteNewFile(const std::string& path, std::string_view content) {
  std::unique_ptr<ReplacementFile> file = ReplacementFile::Create(path);
  return file && file->Commit(content, Durability::kSyncToDisk, Placement::kNeverReplace);
}

bool WriteStandardOutput(std::string_view content) {
  // The standard streams carry bytes unchanged on every platform (see ProgramArguments).
  bool ok = std::fwrite(content.data(), 1, content.size(), stdout) == content.size();
  return std::fflush(stdout) == 0 && ok;
}

void WriteStandardError(std::string_view content) {
  std::fwrite(content.data(), 1, content.size(), stderr);
  std::fflush(stderr);
}

}  // namespace calvern::platform
