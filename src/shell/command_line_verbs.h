// The pieces the command line is made of: one verb per file, each describing its arguments and
// what runs it, and the two ways of running without a verb (the menu, slave mode).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "shell/argument_parser.h"

namespace calvern {

struct CompiledProgram;

// A verb's arguments, and what runs it once they are parsed into the values `run` sees (it
// returns the exit code).
struct Verb {
  std::unique_ptr<VerbArguments> arguments;
  std::function<int()> run;
};

Verb CompileVerb();
Verb HelpVerb();
Verb SendVerb();
Verb IdentifyVerb();
Verb CaptureVerb();
Verb DisasmVerb();

// Compiles a source as `calvern SOURCE` does (the listing beside it, MK files as its #MKFiles
// asks), with its diagnostics on standard error. The exit code; when it is 0, `program` holds
// the compiled program.
int CompileForLink(const std::string& source, std::shared_ptr<const CompiledProgram>& program);

// Says "calvern: " and the text on standard error, control characters shown as visible
// escapes, and returns the exit code.
int ReportError(const std::string& text, int exitCode);

// Says on standard error what was wrong with the command line, with a hint; the exit code
// of a usage error.
int UsageError(const std::string& what);

// The interactive menu (no argument).
int RunMenu();

// Slave mode: performs the command of the info file and reports on standard error why a run
// ended with a code other than 0.
int RunSlaveMode(const std::string& infoFile);

}  // namespace calvern
