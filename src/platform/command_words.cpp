#include "platform/command_words.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/process.h"

namespace calvern::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::optional<std::vector<std::string>> PosixWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;  // a word has begun, perhaps with an empty quoted part
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (IsBlank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\\') {
      if (++at == text.size()) return std::nullopt;
      if (text[at] != '\n')
        word += text[at];  // backslash and line end join two lines
      else if (word.empty())
        inWord = false;
    } else if (c == '\'') {
      std::size_t end = text.find('\'', at + 1);
      if (end == std::string_view::npos) return std::nullopt;
      word.append(text.substr(at + 1, end - at - 1));
      at = end;
    } else if (c == '"') {
      for (++at;; ++at) {
        if (at == text.size()) return std::nullopt;
        if (text[at] == '"') break;
        if (text[at] == '\\' && at + 1 < text.size() &&
            std::string_view("\"\\$`\n").find(text[at + 1]) != std::string_view::npos) {
          ++at;
          if (text[at] == '\n') continue;
        }
        word += text[at];
      }
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

std::optional<std::vector<std::string>> WindowsWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at == text.size()) return words;
  // The program name: quoted as a whole, or up to the first blank; backslashes are path
  // separators here, never escapes.
  std::string program;
  if (text[at] == '"') {
    // An open quote runs to the end, as Windows reads it.
    std::size_t end = std::min(text.find('"', at + 1), text.size());
    program = text.substr(at + 1, end - at - 1);
    at = std::min(end + 1, text.size());
  }
  while (at < text.size() && !IsBlank(text[at])) program += text[at++];
  words.push_back(std::move(program));

  std::string word;
  bool inWord = false, quoted = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (IsBlank(c) && !quoted) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else if (c == '\\') {
      std::size_t backslashes = 0;
      while (at < text.size() && text[at] == '\\') ++backslashes, ++at;
      if (at < text.size() && text[at] == '"') {
        // 2n backslashes and a quote: n backslashes, and the quote opens or closes; 2n + 1:
        // n backslashes and a quote of the word.
        word.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          word += '"';
        } else {
          --at;  // the quote is read by the next round
        }
      } else {
        word.append(backslashes, '\\');
        --at;
      }
      inWord = true;
    } else if (c == '"') {
      if (quoted && at + 1 < text.size() && text[at + 1] == '"') {
        word += '"';  // "" inside quotes
        ++at;
      } else {
        quoted = !quoted;
      }
      inWord = true;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace

std::optional<std::vector<std::string>> CommandWords(std::string_view command, CommandRules rules) {
  return rules == CommandRules::kPosixShell ? PosixWords(command) : WindowsWords(command);
}

std::optional<ProgramCommand> ReadProgramSetting(const std::string& setting,
                                                 const std::string& currentDirectory) {
  // A path chosen in the requester is kept unquoted: a file of that name is the program.
  if (RegularFileSize(AbsolutePath(setting, currentDirectory))) return ProgramCommand{setting, {}};
  std::optional<std::vector<std::string>> words = CommandWords(setting, NativeCommandRules());
  if (!words || words->empty() || words->front().empty()) return std::nullopt;
  return ProgramCommand{words->front(), {words->begin() + 1, words->end()}};
}

}  // namespace calvern::platform
