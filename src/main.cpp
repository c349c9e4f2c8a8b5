// Calvern: compiler and link tool for the Elektronika MK-161 programmable calculator.
//   calvern              the interactive menu
//   calvern file.inf     slave mode: performs the command of the info file, reports by exit code
//   calvern VERB ...     a command-line verb (`calvern --help` lists them)
#include "platform/program.h"
#include "shell/command_line.h"

int main(int argc, char** argv) {
  calvern::platform::KeepFreedMemory();
  return calvern::RunCommandLine(calvern::platform::ProgramArguments(argc, argv));
}
