// Starting outside programs: the emulator runs on by itself, the editor may need the terminal.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/command_words.h"

namespace calvern::platform {

// The rules by which this platform reads a command line into words.
CommandRules NativeCommandRules();

// A program setting (the editor, the emulator): the program to start and the arguments written
// after it ("code --wait"). A setting that names an existing file as a whole (taken from
// `currentDirectory` when relative) is that program, blanks and all; any other is read into
// words by the platform's rules, so that a path with blanks is quoted. Nothing when it is
// empty or can't be read (a quote left open).
struct ProgramCommand {
  std::string program;
  std::vector<std::string> arguments;
};
std::optional<ProgramCommand> ReadProgramSetting(const std::string& setting,
                                                 const std::string& currentDirectory);

// Starts `program` with `arguments` in `workingDirectory` (empty: the current one). A program
// name without a directory is searched on the PATH. Returns whether it could be started. The
// program runs on by itself; when it ends it leaves no zombie behind.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workingDirectory);

// Starts a program like StartProgram and returns when it has ended, so that a program drawn in
// the terminal (a terminal editor) has it to itself until then. Ctrl-C in the program does not
// reach the caller. Returns whether it could be started. On Windows the editor has a window of
// its own and is not waited for.
bool RunProgramAndWait(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory);

// The full path of a program name as the PATH search finds it; empty when it is not found.
std::string FindOnPath(const std::string& name);

// The editor of a first run: the user's usual editor where the system names one.
std::string DefaultEditor();

}  // namespace calvern::platform
