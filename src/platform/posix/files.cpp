#include "platform/files.h"

#include <unistd.h>

#include <vector>

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

}  // namespace calvern::platform
