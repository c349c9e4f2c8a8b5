#include "shell/slave_mode.h"

#include "platform/message_box.h"

namespace calvern {

long long RunSlaveCommand(Application& app) {
  const std::string command = UpperCase(app.Config.EditorPath);
  if (command == "2") {
    if (app.Config.SourcePath.empty()) return kSlaveNotCompiled;
    app.SourceDirectory = DirectoryPart(app.Config.SourcePath);
    CompileRequest request;
    request.sourcePath = app.Config.SourcePath;
    request.listingPath = app.Config.ListingPath;
    request.mkBaseName = app.Config.MkBaseName;
    request.slaveMode = true;
    CompileOutcome outcome = app.Compiler.CompileSource(request);
    app.Status = app.Compiler.Status;
    switch (outcome.result) {
      case CompileResult::kOk:
        return kSlaveOk;
      case CompileResult::kCantOpenSource:
        return kSlaveCantOpenSource;
      case CompileResult::kCantCreateListing:
        return kSlaveCantCreateListing;
      case CompileResult::kError:
        platform::ShowMessageBox(app.Messages[kCompilation], app.Status.Joined(), false);
        return kSlaveCompilationError + 256 * outcome.errorLine;
    }
  }
  // "0" (quit) does nothing in slave mode; the other menu keys drive the interactive shell,
  // which this version does not have yet.
  if (command.size() == 1 && command[0] >= '1' && command[0] <= '9') {
    platform::ShowMessageBox(app.Messages[kCalvernTitle],
                             app.Messages[kSlaveCommandNotAvailable] + command, false);
  }
  return kSlaveNotCompiled;
}

}  // namespace calvern
