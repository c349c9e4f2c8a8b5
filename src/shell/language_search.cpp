#include "shell/language_search.h"

#include <filesystem>

#include "platform/install_dirs.h"
#include "platform/paths.h"

namespace calvern {

std::string LanguageFilePath(const std::string& name, const std::string& currentDirectory) {
  if (!platform::DirectoryPart(name).empty()) {
    return std::filesystem::path(name).is_absolute() ? name : currentDirectory + name;
  }
  const std::string here = currentDirectory + name;
  std::error_code error;
  if (std::filesystem::is_regular_file(here, error)) return here;
  const std::string shared = platform::InstalledDataDirectory();
  if (!shared.empty() && std::filesystem::is_regular_file(shared + name, error)) {
    return shared + name;
  }
  return here;
}

}  // namespace calvern
