#include "shell/slave_mode.h"

#include "platform/requester.h"
#include "shell/main_menu.h"

namespace calvern {

long long RunSlaveCommand(Application& app) {
  const std::string command = UpperCase(app.Config.EditorPath);
  if (command != "2") {
    // Any other menu key runs its action with no console; then the run ends with code 2.
    DispatchMenuKey(app, command);
    return kSlaveNotCompiled;
  }
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
      break;
  }
  platform::ShowMessageBox(*app.Terminal, app.Messages[kCompilation], app.Status.Joined());
  return kSlaveCompilationError + 256 * outcome.errorLine;
}

}  // namespace calvern
