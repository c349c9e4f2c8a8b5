#include "shell/argument_reading.h"

#include <algorithm>
#include <cctype>

#include "output/text_lines.h"
#include "platform/files.h"
#include "shell/settings.h"

namespace calvern {
namespace {

bool ReadsLikeInfoFile(const std::string& text) {
  std::vector<std::string> lines = SplitLines(text);
  if (lines.size() < 3) return false;
  const std::string& command = lines[2];
  if (command.size() != 1 || !std::isdigit(static_cast<unsigned char>(command[0]))) return false;
  return std::all_of(lines.begin() + std::min<std::size_t>(7, lines.size()), lines.end(),
                     [](const std::string& line) { return line.empty(); });
}

}  // namespace

bool HasInfoFileName(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".inf";
}

ArgumentChoice ReadingOfArgument(const std::string& path) {
  if (HasInfoFileName(path)) return {};
  // No file, or no regular one (a directory...): the compilation says what is wrong with it.
  std::optional<std::uintmax_t> size = platform::RegularFileSize(path);
  if (!size) return {ArgumentReading::kSource};
  // Far larger than seven short lines: a source.
  if (*size > kMaxSettingsBytes) return {ArgumentReading::kSource};
  // An unreadable file is left to slave mode, which reports it with code 1.
  std::optional<std::string> text = platform::ReadWholeFile(path, kMaxSettingsBytes);
  if (!text) return {};
  if (ReadsLikeInfoFile(*text)) return {ArgumentReading::kInfoFile, true};
  return {ArgumentReading::kSource, false};
}

}  // namespace calvern
