#include "shell/command_line.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <vector>

#include "shell/application.h"
#include "shell/argument_reading.h"
#include "shell/command_line_verbs.h"

namespace calvern {
namespace {

constexpr const char* kFooter =
    "Without a command: `calvern` opens the menu, `calvern FILE.inf` runs slave mode, and\n"
    "`calvern SOURCE [options]` is short for `calvern compile SOURCE [options]`.\n"
    "Exit codes: 0 ok, 1 compile error, 2 usage error, 3 a file cannot be read or written,\n"
    "4 the serial port cannot be opened, 5 the calculator does not answer, 6 the calculator\n"
    "refused a command.";

int UsageError(const std::string& what) {
  std::cerr << "calvern: " << what << "\n"
            << "Run 'calvern --help' for usage.\n";
  return kExitUsage;
}

// The parser with every verb.
struct CommandLine {
  CLI::App parser{"Calvern: compiler for the Elektronika MK-161 programmable calculator.",
                  "calvern"};
  std::vector<Verb> verbs;

  CommandLine() {
    parser.footer(kFooter);
    parser.set_version_flag("--version", std::string("calvern ") + kVersionText);
    parser.require_subcommand(0, 1);
    // Options are written "--name" everywhere: on Windows too a word starting with "/" is a
    // path (a file on the current drive), not an option.
    parser.allow_windows_style_options(false);
    // Adding a verb is one line here and one file beside this one.
    verbs.push_back(AddCompileVerb(parser));
    verbs.push_back(AddHelpVerb(parser));
    verbs.push_back(AddSendVerb(parser));
    verbs.push_back(AddIdentifyVerb(parser));
    verbs.push_back(AddCaptureVerb(parser));
    verbs.push_back(AddDisasmVerb(parser));
  }

  bool IsVerb(const std::string& word) const {
    for (const Verb& verb : verbs) {
      if (verb.command->get_name() == word) return true;
    }
    return false;
  }

  int Run(std::vector<std::string> args);
};

// Runs the parser over the arguments and the verb they name.
int CommandLine::Run(std::vector<std::string> args) {
  std::vector<char*> argv;
  std::string program = "calvern";
  argv.push_back(program.data());
  for (std::string& arg : args) argv.push_back(arg.data());
  try {
    parser.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::CallForHelp& request) {
    return parser.exit(request, std::cout, std::cerr);
  } catch (const CLI::CallForAllHelp& request) {
    return parser.exit(request, std::cout, std::cerr);
  } catch (const CLI::CallForVersion& request) {
    return parser.exit(request, std::cout, std::cerr);
  } catch (const CLI::ParseError& error) {
    return UsageError(error.what());
  }
  for (const Verb& verb : verbs) {
    if (verb.command->parsed()) return verb.run();
  }
  return UsageError("no command given");
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& parameters) {
  if (parameters.empty()) return RunMenu();
  std::vector<std::string> args = parameters;
  CommandLine commandLine;
  const std::string first = args.front();
  if (!first.starts_with("-") && !commandLine.IsVerb(first)) {
    if (args.size() == 1) {
      ArgumentChoice choice = ReadingOfArgument(first);
      if (choice.reading == ArgumentReading::kInfoFile) {
        if (choice.ambiguous) {
          std::cerr << "calvern: reading " << first
                    << " as an info file (its line 3 is a menu key); run 'calvern compile " << first
                    << "' to compile it as a source\n";
        }
        return RunSlaveMode(first);
      }
    } else if (HasInfoFileName(first)) {
      return RunSlaveMode(first);  // slave mode: only the first parameter counts
    }
    args.insert(args.begin(), "compile");
  }
  return commandLine.Run(std::move(args));
}

}  // namespace calvern
