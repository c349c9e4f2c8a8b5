// Slave mode: another program names an info file on the command line; Calvern performs the
// command of its line 3 and reports the outcome as the exit code.
#pragma once

#include <string>

#include "shell/application.h"

namespace calvern {

// Result codes of a slave run.
enum SlaveResult : int {
  kSlaveOk = 0,
  kSlaveInfoFileUnreadable = 1,
  kSlaveNotCompiled = 2,  // the command is not 2, 7 or 8, or no source was named
  // Commands 7 (MK files to a source) and 8 (a code string to a source).
  kSlaveCantOpenMkFiles = 3,
  kSlaveNoProgram = 4,
  kSlaveBadCodeLength = 5,
  kSlaveBadCode = 6,
  kSlaveCantWriteSource = 7,
  kSlaveCantOpenSource = 8,
  kSlaveCantCreateListing = 9,
  kSlaveCompilationError = 10,  // plus 256 times the line of the error
};

// The one line on standard error that says why a slave run ends with a code other than 0.
void ReportSlaveFailure(const std::string& why);

// Runs the command of a started application in slave mode and returns the full result code
// (10 + 256 x line for a compilation error).
long long RunSlaveCommand(Application& app);

}  // namespace calvern
