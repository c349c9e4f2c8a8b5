#include "platform/install_dirs.h"

#include <filesystem>
#include <system_error>

namespace calvern::platform {

std::string InstalledDataDirectory() {
  // The kernel names the running program's file; its directory is the prefix's bin/.
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || program.empty()) return "";
  return (program.parent_path().parent_path() / "share" / "calvern").string() + "/";
}

}  // namespace calvern::platform
