#include "shell/slave_mode.h"

#include "platform/requester.h"
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
  switch (result->outcome) {
    case JobOutcome::kCompiled:
      return kSlaveOk;
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
