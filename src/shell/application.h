// The state of one run of Calvern: settings, messages, status lines, the console, and the
// outcome of the last compilation, whose program stays in memory after it ends.
#pragma once

#include <memory>
#include <string>

#include "job/compile_job.h"
#include "platform/console.h"
#include "shell/settings.h"
#include "shell/status_lines.h"
#include "tables/message_table.h"

namespace calvern {

// The version shown in the console title and the help file.
inline constexpr const char* kVersionText = "V1.09 11/2015";

// What the last compilation left: whether it succeeded since the source last changed, the MK
// files it wrote (for the emulator) and the compiled program (for the link).
struct BuildRecord {
  bool compiledOk = false;
  MkFilesWritten mkFiles;
  std::shared_ptr<const CompiledProgram> program;
};

struct Application {
  std::string SettingsFilePath;
  bool SlaveMode = false;
  std::string CurrentDirectory;
  Settings Config;
  bool SettingsFileUnreadable = false;  // it exists but could not be read: kept aside on saving
  std::string SlaveCommand;             // slave mode: the command of the info file's line 3
  StatusLines Status;
  std::string LinkStatusLine;
  bool QuitRequested = false;
  std::string LanguageHelpFile;
  int KeywordCount = 0;
  MessageTable Messages;
  BuildRecord LastBuild;
  // The terminal, or in slave mode a stand-in whose output goes nowhere.
  std::unique_ptr<platform::Console> Terminal;
};

// Process exit codes of the start-up itself.
enum StartupResult : int {
  kStartupOk = 0,
  kSettingsUnreadable = 1,  // slave mode: the info file cannot be opened
};

// Start-up: reads the settings (or the slave-mode info file named by `parameter`), loads the
// messages and prepares the link status line and the status lines of the first screen.
int StartApplication(Application& app, const std::string* parameter);

// Where a language file may come from: the menu and the settings take a bare name (the current
// directory, then the installed files); the command line's --lang also takes a path.
enum class LanguagePath { kBareNameOnly, kPathAllowed };

// Why the language file `name` can't be used (a name with a directory where only a bare name
// is allowed, a missing or an oversized file), or empty when it can.
std::string LanguageFileRefusal(const Application& app, const std::string& name,
                                LanguagePath rule = LanguagePath::kBareNameOnly);

// Fills the message table from the chosen language file, or with the English defaults when
// there is none; a faulty file is reported in message boxes. A file that can't be used leaves
// the defaults and its refusal is returned (empty otherwise).
std::string LoadMessages(Application& app, LanguagePath rule = LanguagePath::kBareNameOnly);

// " |  Calvern .. not yet connected ..  |*" in the current language.
std::string NotConnectedLine(const MessageTable& messages);

}  // namespace calvern
