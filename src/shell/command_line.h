// The program's command line: the menu with no argument, slave mode with an info file, or a
// verb (`compile`, `help`) with its options; `calvern SOURCE` is short for `calvern compile
// SOURCE`.
#pragma once

#include <string>
#include <vector>

namespace calvern {

// Exit codes of the verbs. Slave mode keeps its own codes.
enum CommandLineExit : int {
  kExitOk = 0,
  kExitCompileError = 1,
  kExitUsage = 2,
  kExitFileError = 3,  // a file cannot be read or written
  // The link verbs (send, identify, capture).
  kExitPortUnavailable = 4,  // the serial port cannot be opened
  kExitNoAnswer = 5,         // the calculator does not answer (or answers garbled)
  kExitRefused = 6,          // the calculator refused a command
};

// Runs the program on its parameters (those after its own name).
int RunCommandLine(const std::vector<std::string>& args);

}  // namespace calvern
