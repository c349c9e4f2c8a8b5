#include "job/mk_file_set.h"

#include <algorithm>
#include <cctype>

#include "platform/files.h"
#include "platform/paths.h"
#include "tables/memory_map.h"
#include "tables/message_table.h"

namespace calvern {
namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The extension of a path's file part, as written; empty when it has none.
std::string ExtensionOf(const std::string& path) {
  std::string file = platform::FilePart(path);
  std::size_t dot = file.rfind('.');
  return dot == std::string::npos ? std::string() : file.substr(dot + 1);
}

// The largest file, a full program zone, is 20 001 bytes.
constexpr std::size_t kLargestMkFile = 1u << 16;

}  // namespace

bool IsMkFileName(const std::string& path) { return IsMkExtension(ExtensionOf(path)); }

MkFileSetReading ReadMkFileSet(const std::string& path) {
  // The other files of the set are looked for in the letter case of the one named.
  const std::string given = ExtensionOf(path);
  const bool lower = given == Lower(given);
  const std::string base = path.substr(0, path.size() - given.size());
  MkFileSetReading reading;
  MkImage image;
  for (const MemoryZone& zone : kMemoryZones) {
    const std::string extension = zone.mkExtension;
    std::string file = path;
    if (extension != Upper(given)) {
      file = base + (lower ? Lower(extension) : extension);
      if (!platform::PathExists(file)) continue;
    }
    std::optional<std::string> bytes = platform::ReadWholeFile(file, kLargestMkFile);
    if (!bytes) return {std::nullopt, {}, kCantReadMkFile, file};
    if (!AddMkFile(extension, *bytes, image)) return {std::nullopt, {}, kNotAnMkFile, file};
    reading.files.push_back(file);
  }
  reading.image = std::move(image);
  return reading;
}

}  // namespace calvern
