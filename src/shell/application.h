// The state of one run of Calvern: settings, messages, status lines and the compilation whose
// image stays in memory after it ends.
#pragma once

#include <string>

#include "compiler/compilation.h"
#include "compiler/status_lines.h"
#include "shell/settings.h"
#include "tables/message_table.h"

namespace calvern {

struct Application {
  std::string SettingsFilePath;
  bool SlaveMode = false;
  std::string CurrentDirectory;
  Settings Config;
  // Directory part of the source (up to its last separator), set before each compilation.
  std::string SourceDirectory;
  StatusLines Status;
  std::string LinkStatusLine;
  bool QuitRequested = false;
  std::string LanguageHelpFile;
  MessageTable Messages;
  Compilation Compiler{Messages};
};

// Process exit codes of the start-up itself.
enum StartupResult : int {
  kStartupOk = 0,
  kSettingsUnreadable = 1,  // slave mode: the info file cannot be opened
};

// Start-up: reads the settings (or the slave-mode info file named by `parameter`), loads the
// messages and prepares the link status line and the status lines of the first screen.
int StartApplication(Application& app, const std::string* parameter);

// The directory part of a path, up to and including its last "/" or "\".
std::string DirectoryPart(const std::string& path);

}  // namespace calvern
