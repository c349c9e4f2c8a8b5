#include "shell/language_search.h"

#include "platform/files.h"
#include "platform/install_dirs.h"
#include "platform/paths.h"

namespace calvern {

std::string LanguageFilePath(const std::string& name, const std::string& currentDirectory) {
  if (!platform::DirectoryPart(name).empty()) {
    return platform::AbsolutePath(name, currentDirectory);
  }
  const std::string here = currentDirectory + name;
  if (platform::RegularFileSize(here)) return here;
  const std::string shared = platform::InstalledDataDirectory();
  if (!shared.empty() && platform::RegularFileSize(shared + name)) {
    return shared + name;
  }
  return here;
}

}  // namespace calvern
