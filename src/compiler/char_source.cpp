#include "compiler/char_source.h"

#include <cstdio>
#include <memory>

namespace calvern {

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) return std::nullopt;
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

}  // namespace calvern
