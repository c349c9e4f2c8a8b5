#include "platform/requester.h"

#include <sys/stat.h>

#include "platform/files.h"
#include "platform/visible_text.h"

namespace calvern::platform {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Match(const char* name, const char* mask) {
  if (*mask == '\0') return *name == '\0';
  if (*mask == '*') return Match(name, mask + 1) || (*name != '\0' && Match(name + 1, mask));
  if (*name == '\0') return false;
  if (*mask != '?' && Lower(*mask) != Lower(*name)) return false;
  return Match(name + 1, mask + 1);
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::vector<std::string> FilterMasks(const std::string& filter) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= filter.size()) {
    std::size_t bar = filter.find('|', start);
    if (bar == std::string::npos) bar = filter.size();
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<std::string> masks;
  for (std::size_t i = 1; i < parts.size(); i += 2) {
    if (!parts[i].empty()) masks.push_back(parts[i]);
  }
  return masks;
}

bool MatchesMask(const std::string& name, const std::string& mask) {
  // "*.*" means every file, with or without an extension.
  if (mask == "*.*") return true;
  return Match(name.c_str(), mask.c_str());
}

FileAnswer ChooseFile(Console& console, const std::string& title, const std::string& filter,
                      const std::string& prompt, AnswerUse use) {
  const std::string directory = CurrentDirectory();
  console.PrintLine("");
  console.PrintLine(" " + title);
  std::vector<std::string> masks = FilterMasks(filter);
  for (const std::string& name : FilesIn(directory)) {
    for (const std::string& mask : masks) {
      if (MatchesMask(name, mask)) {
        console.PrintLine("   " + name);
        break;
      }
    }
  }
  console.Print(prompt);
  std::string answer = console.ReadLine();
  if (answer.empty()) return {FileAnswer::Kind::kCancelled, {}};
  if (answer.size() > kMaxAnswerBytes) return {FileAnswer::Kind::kTooLong, {}};
  const bool bare = answer.find_first_of("/\\") == std::string::npos;
  // A program may be a bare name for the PATH search, or a command with arguments ("code
  // --wait"), kept as typed; a file of the answer's name is always that file.
  const bool command = answer.find_first_of(" \t'\"") != std::string::npos;
  if (use == AnswerUse::kProgram && (bare || command) &&
      !IsRegularFile(AbsolutePath(answer, directory))) {
    return {FileAnswer::Kind::kChosen, answer};
  }
  return {FileAnswer::Kind::kChosen, AbsolutePath(answer, directory)};
}

void ShowMessageBox(Console& console, const std::string& title, const std::string& text) {
  if (!console.Present()) {
    WriteStandardError(VisibleText(title + ": " + text) + "\n");
    return;
  }
  console.PrintLine("");
  console.PrintLine(" [ " + title + " ]");
  console.PrintLine(" " + text);
  console.Print(" [ OK ] ");
  console.ReadLine();
}

}  // namespace calvern::platform
