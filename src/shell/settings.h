// The user's persistent choices: the seven lines of "calvern.inf", or of the info file that
// drives slave mode.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace calvern {

// Larger settings, info and language files are not read.
inline constexpr std::size_t kMaxSettingsBytes = 1u << 20;

struct Settings {
  std::string SourcePath;
  std::string ListingPath;
  // The Windows editor; a first run elsewhere takes the system's usual editor. In slave mode
  // this line holds the command number.
  std::string EditorPath = "notepad.exe";
  std::string MkBaseName;  // source path without extension, ending with "."
  std::string EmulatorPath;
  // "COM" + the port number, or the path of a serial device (a USB adapter has no COM number).
  std::string ComPort = "COM1";
  int MkIdentifier = 255;
  std::string LanguageFile;

  bool operator==(const Settings&) const = default;
};

// Port and identifier from line 6: "COM3,7" (a port part that is not a number gives COM0, an
// identifier that is not one gives 0) or "/dev/ttyUSB0,7". A malformed line gives COM1 and 255.
void ParsePortLine(const std::string& line, std::string& comPort, int& mkIdentifier);

// The settings in the seven lines of a settings or info file's bytes (UTF-8, CR LF or LF, a
// byte-order mark tolerated); missing lines read as empty.
Settings ParseSettingsText(std::string text);

// Reads the seven lines (UTF-8, CR LF or LF); missing lines read as empty. nullopt when the
// file cannot be opened.
std::optional<Settings> ReadSettingsFile(const std::string& path);

// The seven lines as the settings file holds them, each ending with CR LF.
std::string SettingsText(const Settings& settings);

}  // namespace calvern
