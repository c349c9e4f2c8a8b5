#include "shell/command_line.h"

#include <algorithm>
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

// Every verb, by name, and what makes it. Adding a verb is one line here and one file beside
// this one.
struct VerbEntry {
  const char* name;
  Verb (*make)();
};
constexpr VerbEntry kVerbs[] = {
    {"compile", CompileVerb},   {"help", HelpVerb},       {"send", SendVerb},
    {"identify", IdentifyVerb}, {"capture", CaptureVerb}, {"disasm", DisasmVerb},
};

const VerbEntry* FindVerb(const std::string& word) {
  for (const VerbEntry& verb : kVerbs) {
    if (word == verb.name) return &verb;
  }
  return nullptr;
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

// The help of the whole program: its options and every verb.
std::string ProgramHelp() {
  std::string help =
      "Calvern: compiler for the Elektronika MK-161 programmable calculator.\n"
      "Usage: calvern [OPTIONS] [SUBCOMMAND]\n\nOptions:\n" +
      HelpFlagRow() + HelpRow("--version", "Display program version information and exit") +
      "\nSubcommands:\n";
  for (const VerbEntry& verb : kVerbs) {
    help += HelpRow(verb.name, verb.make().arguments->Description());
  }
  return help + "\n" + kFooter + "\n";
}

// Help and the version go to standard output.
int PrintOut(const std::string& text) {
  return platform::WriteStandardOutput(text) ? kExitOk : kExitFileError;
}

// Runs one verb on the words after it.
int RunVerb(const VerbEntry& entry, const std::vector<std::string>& words) {
  Verb verb = entry.make();
  bool helpAsked = false;
  if (std::optional<std::string> wrong = verb.arguments->Parse(words, helpAsked)) {
    return UsageError(*wrong);
  }
  if (helpAsked) return PrintOut(verb.arguments->Help("calvern", kFooter));
  return verb.run();
}

// A command line that starts with an option: the program's own (--help, --version), or
// compile's in front of the source (`calvern -o out.LST prog.txt`).
int RunOptions(const std::vector<std::string>& args) {
  const std::string& first = args.front();
  if (first == "--version") return PrintOut(std::string("calvern ") + CALVERN_VERSION + "\n");
  if (first == "-h" || first == "--help") {
    // `calvern --help compile` is the verb's help.
    const VerbEntry* verb = args.size() > 1 ? FindVerb(args[1]) : nullptr;
    return PrintOut(verb ? verb->make().arguments->Help("calvern", kFooter) : ProgramHelp());
  }
  const Verb compile = CompileVerb();
  if (compile.arguments->Find(first.substr(0, first.find('='))) != nullptr ||
      compile.arguments->Find(first.substr(0, 2)) != nullptr) {
    return RunVerb(kVerbs[0], args);
  }
  return UsageError("The following argument was not expected: " + first);
}

}  // namespace

int ReportError(const std::string& text, int exitCode) {
  platform::WriteStandardError(platform::VisibleText("calvern: " + text) + "\n");
  return exitCode;
}

int UsageError(const std::string& what) {
  ReportError(what, kExitUsage);
  platform::WriteStandardError("Run 'calvern --help' for usage.\n");
  return kExitUsage;
}

int RunCommandLine(const std::vector<std::string>& parameters) {
  if (parameters.empty()) return RunMenu();
  const std::string& first = parameters.front();
  if (const VerbEntry* verb = FindVerb(first)) {
    return RunVerb(*verb, std::vector<std::string>(parameters.begin() + 1, parameters.end()));
  }
  if (first.starts_with("-")) return RunOptions(parameters);
  // A mistyped verb is said, not taken for a file that does not exist.
  if (const std::string verb = VerbMeant(first); !verb.empty() && !platform::PathExists(first)) {
    const MessageTable messages;
    return UsageError(messages[kUnknownCommand] + "'" + first + "'" + messages[kDidYouMean] + "'" +
                      verb + "'?");
  }
  if (parameters.size() == 1) {
    ArgumentChoice choice = ReadingOfArgument(first);
    if (choice.reading == ArgumentReading::kInfoFile) {
      if (choice.ambiguous) {
        ReportError("reading " + first +
                        " as an info file (its line 3 is a menu key); run 'calvern compile " +
                        first + "' to compile it as a source",
                    kExitOk);
      }
      return RunSlaveMode(first);
    }
  } else if (HasInfoFileName(first)) {
    return RunSlaveMode(first);  // slave mode: only the first parameter counts
  }
  return RunVerb(kVerbs[0], parameters);
}

}  // namespace calvern
