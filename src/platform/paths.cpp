#include "platform/paths.h"

namespace calvern::platform {

std::string FilePart(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string WithoutExtension(const std::string& path, ExtensionRule rule) {
  for (std::size_t i = path.size(); i-- > 0;) {
    char c = path[i];
    if (c == '.') return path.substr(0, i + 1);
    if (c == '/' || c == '\\' || (c == ' ' && rule == ExtensionRule::kNoBlankInside)) break;
  }
  return path;
}

}  // namespace calvern::platform
