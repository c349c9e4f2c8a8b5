#include "shell/settings.h"

#include <algorithm>
#include <array>

#include "compiler/numbers.h"
#include "output/text_lines.h"
#include "platform/files.h"

namespace calvern {
namespace {

int NumberOrZero(const std::string& text) {
  long long value = LeadingNumber(text);
  return static_cast<int>(std::clamp(value, -999999999LL, 999999999LL));
}

}  // namespace

void ParsePortLine(const std::string& line, std::string& comPort, int& mkIdentifier) {
  if (line.starts_with("/")) {
    // A device path, up to the last comma (a path may hold commas, an identifier does not).
    std::size_t comma = line.rfind(',');
    if (comma != std::string::npos && comma > 1 && comma + 1 < line.size()) {
      comPort = line.substr(0, comma);
      mkIdentifier = NumberOrZero(line.substr(comma + 1));
      return;
    }
  }
  std::size_t comma = line.find(',');
  std::size_t p = comma == std::string::npos ? 0 : comma + 1;  // 1-based position of the comma
  if (!line.starts_with("COM") || p < 5 || p == line.size()) {
    comPort = "COM1";
    mkIdentifier = 255;
    return;
  }
  comPort = "COM" + std::to_string(NumberOrZero(line.substr(3, comma - 3)));
  mkIdentifier = NumberOrZero(line.substr(comma + 1));
}

Settings ParseSettingsText(std::string text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);  // tolerate a byte-order mark
  std::vector<std::string> lines = SplitLines(text);
  lines.resize(7);  // missing lines read as empty; lines after the seventh are ignored
  Settings settings;
  settings.SourcePath = lines[0];
  settings.ListingPath = lines[1];
  settings.EditorPath = lines[2];
  settings.MkBaseName = lines[3];
  settings.EmulatorPath = lines[4];
  ParsePortLine(lines[5], settings.ComPort, settings.MkIdentifier);
  settings.LanguageFile = lines[6];
  return settings;
}

std::optional<Settings> ReadSettingsFile(const std::string& path) {
  // Seven short lines: anything far larger is not a settings file.
  std::optional<std::string> content = platform::ReadWholeFile(path, kMaxSettingsBytes);
  if (!content) return std::nullopt;
  return ParseSettingsText(std::move(*content));
}

std::string SettingsText(const Settings& s) {
  CrlfText text;
  for (const std::string& line :
       {s.SourcePath, s.ListingPath, s.EditorPath, s.MkBaseName, s.EmulatorPath,
        s.ComPort + "," + std::to_string(s.MkIdentifier), s.LanguageFile}) {
    text.Add(line);
  }
  return text.Take();
}

}  // namespace calvern
