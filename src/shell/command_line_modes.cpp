// The command line without a verb: the interactive menu, and slave mode.
#include "platform/program.h"
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
  // Windows hands the whole 10 + 256 x line to the caller; POSIX only its low 8 bits.
  return platform::ExitStatus(code);
}

}  // namespace calvern
