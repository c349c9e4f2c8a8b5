#include "shell/slave_mode.h"

#include "platform/requester.h"
#include "shell/main_menu.h"
#include "shell/menu_actions.h"

namespace calvern {

long long RunSlaveCommand(Application& app) {
  const std::string command = UpperCase(app.Config.EditorPath);
  if (command != "2") {
    // Any other menu key runs its action with no console; then the run ends with code 2.
    DispatchMenuKey(app, command);
    return kSlaveNotCompiled;
  }
  // The same compilation as key 2; slave mode makes it print nothing and ask nothing.
  std::optional<CompileOutcome> outcome = CompileCurrentSource(app);
  if (!outcome) return kSlaveNotCompiled;
  switch (outcome->result) {
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
  return kSlaveCompilationError + 256 * outcome->errorLine;
}

}  // namespace calvern
