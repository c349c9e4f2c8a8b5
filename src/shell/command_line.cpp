#include "shell/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/visible_text.h"
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

// The edits that turn one word into another: letters inserted, removed, replaced, or two
// neighbours swapped.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// Every verb, by name, and what adds it to the parser. Adding a verb is one line here and one
// file beside this one.
struct VerbEntry {
  const char* name;
  Verb (*add)(CLI::App& parser);
};
constexpr VerbEntry kVerbs[] = {
    {"compile", AddCompileVerb},   {"help", AddHelpVerb},       {"send", AddSendVerb},
    {"identify", AddIdentifyVerb}, {"capture", AddCaptureVerb}, {"disasm", AddDisasmVerb},
};

bool IsVerb(const std::string& word) {
  return std::any_of(std::begin(kVerbs), std::end(kVerbs),
                     [&](const VerbEntry& verb) { return word == verb.name; });
}

// The verb a mistyped word was meant to be: one it begins, or one a slip or two away. Words
// with a dot or a separator are file names, not verbs.
std::string VerbMeant(const std::string& word) {
  if (word.size() < 3 || word.find_first_of("./\\") != std::string::npos) return "";
  for (const VerbEntry& verb : kVerbs) {
    const std::string name = verb.name;
    if (name.starts_with(word) || EditDistance(word, name) <= (word.size() < 5 ? 1u : 2u)) {
      return name;
    }
  }
  return "";
}

// The parser with every verb, or with the one verb the command line names: each verb's options
// cost the start-up of every run, and a run uses one verb.
struct CommandLine {
  CLI::App parser{"Calvern: compiler for the Elektronika MK-161 programmable calculator.",
                  "calvern"};
  std::vector<Verb> verbs;

  explicit CommandLine(const std::string& onlyVerb = "") {
    parser.footer(kFooter);
    parser.set_version_flag("--version", std::string("calvern ") + CALVERN_VERSION);
    parser.require_subcommand(0, 1);
    // Options are written "--name" everywhere: on Windows too a word starting with "/" is a
    // path (a file on the current drive), not an option.
    parser.allow_windows_style_options(false);
    for (const VerbEntry& verb : kVerbs) {
      if (onlyVerb.empty() || onlyVerb == verb.name) verbs.push_back(verb.add(parser));
    }
  }

  // Whether the word is an option of `compile`: `calvern -o out.LST prog.txt` compiles with
  // its options in front.
  bool IsCompileOption(const std::string& word) const {
    const std::string name = word.substr(0, word.find('='));
    for (const Verb& verb : verbs) {
      if (verb.command->get_name() == "compile" && name != "-h" && name != "--help") {
        return verb.command->get_option_no_throw(name) != nullptr;
      }
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

int ReportError(const std::string& text, int exitCode) {
  std::cerr << platform::VisibleText("calvern: " + text) << "\n";
  return exitCode;
}

int UsageError(const std::string& what) {
  ReportError(what, kExitUsage);
  std::cerr << "Run 'calvern --help' for usage.\n";
  return kExitUsage;
}

int RunCommandLine(const std::vector<std::string>& parameters) {
  if (parameters.empty()) return RunMenu();
  std::vector<std::string> args = parameters;
  const std::string first = args.front();
  if (IsVerb(first)) return CommandLine(first).Run(std::move(args));
  if (first.starts_with("-")) {
    // Options before a source are compile's (`calvern -o out.LST prog.txt`); any other option
    // (--help, --version, a mistake) is the whole parser's.
    CommandLine all;
    if (all.IsCompileOption(first)) args.insert(args.begin(), "compile");
    return all.Run(std::move(args));
  }
  // A mistyped verb is said, not taken for a file that does not exist.
  if (const std::string verb = VerbMeant(first); !verb.empty() && !platform::PathExists(first)) {
    const MessageTable messages;
    return UsageError(messages[kUnknownCommand] + "'" + first + "'" + messages[kDidYouMean] + "'" +
                      verb + "'?");
  }
  if (args.size() == 1) {
    ArgumentChoice choice = ReadingOfArgument(first);
    if (choice.reading == ArgumentReading::kInfoFile) {
      if (choice.ambiguous) {
        std::cerr << platform::VisibleText("calvern: reading " + first +
                                           " as an info file (its line 3 is a menu key); run "
                                           "'calvern compile " +
                                           first + "' to compile it as a source")
                  << "\n";
      }
      return RunSlaveMode(first);
    }
  } else if (HasInfoFileName(first)) {
    return RunSlaveMode(first);  // slave mode: only the first parameter counts
  }
  args.insert(args.begin(), "compile");
  return CommandLine("compile").Run(std::move(args));
}

}  // namespace calvern
