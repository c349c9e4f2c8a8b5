// The command line without a verb: the interactive menu, and slave mode.
#include <iostream>

#include "shell/application.h"
#include "shell/command_line_verbs.h"
#include "shell/main_menu.h"
#include "shell/slave_mode.h"

namespace calvern {
namespace {

// Why a slave run ended with `code`: one line for standard error, empty for success and for
// the failures whose report a "Compilation" box has written already (an error in the source,
// an MK file that could not be written).
std::string SlaveFailureLine(long long code, const Application& app, const std::string& infoFile) {
  const std::string where = "calvern: " + infoFile + ": ";
  switch (code) {
    case kSlaveOk:
      return "";
    case kSlaveInfoFileUnreadable:
      return where + "cannot open the info file";
    case kSlaveNotCompiled:
      if (UpperCase(app.SlaveCommand) != "2") {
        return where + "line 3 holds command \"" + app.SlaveCommand +
               "\", not 2 (compile): nothing was compiled";
      }
      return where + "line 1 names no source to compile";
    case kSlaveCantOpenSource:
      return where + "cannot open the source " + app.Config.SourcePath;
    case kSlaveCantCreateListing:
      // An MK file that failed has been reported already, by its own line.
      if (app.Status[1] != app.Messages[kCantCreateOutput]) return "";
      return where + "cannot write the listing " + app.Config.ListingPath;
    default:
      return "";
  }
}

}  // namespace

int RunMenu() {
  Application app;
  StartApplication(app, nullptr);
  return RunMainMenu(app);
}

int RunSlaveMode(const std::string& infoFile) {
  Application app;
  long long code = kSlaveInfoFileUnreadable;
  if (StartApplication(app, &infoFile) == kStartupOk) code = RunSlaveCommand(app);
  if (std::string line = SlaveFailureLine(code, app, infoFile); !line.empty()) {
    std::cerr << line << std::endl;
  }
  // The system keeps only the low 8 bits of an exit status: a compilation error arrives as 10,
  // and its line number reaches the caller in the message on standard error.
  return static_cast<int>(code & 0xFF);
}

}  // namespace calvern
