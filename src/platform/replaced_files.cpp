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

}  // namespace calvern::platform
