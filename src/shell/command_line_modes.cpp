// The command line without a verb: the interactive menu, and slave mode.
#include "shell/application.h"
#include "shell/command_line_verbs.h"
#include "shell/main_menu.h"
#include "shell/slave_mode.h"

namespace calvern {

int RunMenu() {
  Application app;
  StartApplication(app, nullptr);
  return RunMainMenu(app);
}

int RunSlaveMode(const std::string& infoFile) {
  Application app;
  long long code = kSlaveInfoFileUnreadable;
  if (StartApplication(app, &infoFile) == kStartupOk) code = RunSlaveCommand(app);
  // The system keeps only the low 8 bits of an exit status: a compilation error arrives as 10,
  // and its line number reaches the caller in the message on standard error.
  return static_cast<int>(code & 0xFF);
}

}  // namespace calvern
