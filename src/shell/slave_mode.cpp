#include "shell/slave_mode.h"

#include "platform/requester.h"
#include "shell/compile_report.h"
#include "shell/main_menu.h"
#include "shell/menu_actions.h"

namespace calvern {

long long RunSlaveCommand(Application& app) {
  const std::string command = UpperCase(app.SlaveCommand);
  if (command != "2") {
    // Any other menu key runs its action with no console; then the run ends with code 2.
    DispatchMenuKey(app, command);
    return kSlaveNotCompiled;
  }
  // The same compilation as key 2; slave mode makes it print nothing and ask nothing.
  std::optional<CompileJobResult> result = CompileCurrentSource(app);
  if (!result) return kSlaveNotCompiled;
  // Warnings and a failed MK file go to standard error, where the caller reads the report.
  for (const Diagnostic& warning : result->warnings) {
    platform::ShowMessageBox(*app.Terminal, app.Messages[kCompilation],
                             WarningText(warning, app.Messages));
  }
  switch (result->outcome) {
    case JobOutcome::kCompiled:
      return kSlaveOk;
    case JobOutcome::kCantWriteMkFile:
      platform::ShowMessageBox(*app.Terminal, app.Messages[kCompilation],
                               MkFileFailure(*result, app.Messages));
      return kSlaveCantCreateListing;
    case JobOutcome::kCantOpenSource:
      return kSlaveCantOpenSource;
    case JobOutcome::kCantCreateListing:
      return kSlaveCantCreateListing;
    case JobOutcome::kCompileError:
      break;
  }
  platform::ShowMessageBox(*app.Terminal, app.Messages[kCompilation], app.Status.Joined());
  return kSlaveCompilationError + 256 * result->error->line;
}

}  // namespace calvern
