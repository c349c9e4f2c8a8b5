#include "shell/slave_mode.h"

#include <algorithm>

#include "job/disassembly_job.h"
#include "platform/files.h"
#include "platform/requester.h"
#include "platform/visible_text.h"
#include "shell/compile_report.h"
#include "shell/main_menu.h"
#include "shell/menu_actions.h"

namespace calvern {
namespace {

// Menu keys whose action starts the editor or the emulator. In slave mode line 3 holds the
// command, not a program, and there is no terminal to lend: such a command runs nothing.
bool StartsAProgram(const std::string& command) {
  return command == "3" || command == "4" || command == "6";
}

// Command 7 turns the MK files that line 4 names (a base such as "dir/prog.") into the source
// line 1 names, command 8 the code string of line 4.
long long RunSlaveDisassembly(const Application& app, const std::string& command) {
  const MessageTable& m = app.Messages;
  if (app.Config.SourcePath.empty()) {
    ReportSlaveFailure(m[kSlaveNoSourceToWrite]);
    return kSlaveNotCompiled;
  }
  DisassemblyRequest request;
  request.outputPath = app.Config.SourcePath;
  if (command == "7") {
    request.mkFile = MkFileOfBase(app.Config.MkBaseName);
  } else {
    request.codes = app.Config.MkBaseName;
  }
  const DisassemblyResult result = RunDisassembly(request);
  if (result.outcome == DisassemblyOutcome::kDone) return kSlaveOk;
  ReportSlaveFailure(m[result.message] + result.detail);
  switch (result.outcome) {
    case DisassemblyOutcome::kCantReadMkFiles:
      return kSlaveCantOpenMkFiles;
    case DisassemblyOutcome::kNoProgram:
      return kSlaveNoProgram;
    case DisassemblyOutcome::kBadCodeLength:
      return kSlaveBadCodeLength;
    case DisassemblyOutcome::kBadCodeCharacter:
      return kSlaveBadCode;
    default:
      return kSlaveCantWriteSource;
  }
}

}  // namespace

void ReportSlaveFailure(const std::string& why) {
  platform::WriteStandardError(platform::VisibleText("calvern: " + why) + "\n");
}

long long RunSlaveCommand(Application& app) {
  const MessageTable& m = app.Messages;
  const std::string command = UpperCase(app.SlaveCommand);
  if (command == "7" || command == "8") return RunSlaveDisassembly(app, command);
  if (StartsAProgram(command)) {
    ReportSlaveFailure(m[kSlaveStartsNoProgram] + command);
    return kSlaveNotCompiled;
  }
  if (command != "2") {
    // Any other menu key runs its action with no console; then the run ends with code 2.
    DispatchMenuKey(app, command);
    ReportSlaveFailure(m[kSlaveOnlyCommand2Compiles] + "\"" + app.SlaveCommand + "\"");
    return kSlaveNotCompiled;
  }
  // The same compilation as key 2; slave mode makes it print nothing and ask nothing.
  std::optional<CompileJobResult> result = CompileCurrentSource(app);
  if (!result) {
    ReportSlaveFailure(m[kSlaveNoSource]);
    return kSlaveNotCompiled;
  }
  // Warnings and a failed MK file go to standard error, where the caller reads the report.
  const std::size_t shown = std::min(result->warnings.size(), kWarningsShown);
  for (std::size_t i = 0; i < shown; ++i) {
    platform::ShowMessageBox(*app.Terminal, m[kCompilation], WarningText(result->warnings[i], m));
  }
  if (std::string more = MoreWarningsText(result->warnings.size(), m); !more.empty()) {
    platform::ShowMessageBox(*app.Terminal, m[kCompilation], more);
  }
  switch (result->outcome) {
    case JobOutcome::kCompiled:
      return kSlaveOk;
    case JobOutcome::kCantWriteMkFile:
      platform::ShowMessageBox(*app.Terminal, app.Messages[kCompilation],
                               MkFileFailure(*result, app.Messages));
      return kSlaveCantCreateListing;
    case JobOutcome::kCantOpenSource:
      ReportSlaveFailure(m[kCantOpenSource] + " " + app.Config.SourcePath +
                         BecauseOf(result->fileProblem, m));
      return kSlaveCantOpenSource;
    case JobOutcome::kCantCreateListing:
      ReportSlaveFailure(m[kCantCreateOutput] + " " + app.Config.ListingPath +
                         BecauseOf(result->fileProblem, m));
      return kSlaveCantCreateListing;
    case JobOutcome::kCompileError:
      break;
  }
  platform::ShowMessageBox(*app.Terminal, app.Messages[kCompilation], app.Status.Joined());
  return kSlaveCompilationError + 256 * result->error->line;
}

}  // namespace calvern
