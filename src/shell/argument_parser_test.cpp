// The verbs' argument grammar: the forms of options, what is refused and how it is said, and
// the help's columns.
#include "shell/argument_parser.h"

#include <gtest/gtest.h>

namespace calvern {
namespace {

// A verb with one of each kind of argument, and what a command line left in them.
struct Parsed {
  std::string source, output, base;
  int id = -1;
  bool mk = false;
  bool help = false;
  std::optional<std::string> error;

  explicit Parsed(const std::vector<std::string>& words) {
    VerbArguments verb("compile", "Compile");
    verb.AddPositional("SOURCE", source, "The source").Required();
    verb.AddOption("-o,--output", output, "The listing");
    Argument& flag = verb.AddFlag("--mk", mk, "MK files");
    verb.Exclude(flag, verb.AddOption("--mk-base", base, "MK base"));
    verb.AddOption("--id", id, "Identifier").Range(0, 255);
    error = verb.Parse(words, help);
  }
  std::string Values() const {
    return source + "|" + output + "|" + base + "|" + std::to_string(id) + "|" + (mk ? "mk" : "") +
           (help ? "help" : "");
  }
};

struct ParseCase {
  std::vector<std::string> words;
  std::string values;  // source|output|base|id|flags, when the words are accepted
  std::string error;   // the message, when they are not
};

TEST(ArgumentParser, FormsOfOptionsAndWhatIsRefused) {
  const std::vector<ParseCase> cases = {
      {{"p.txt"}, "p.txt|||-1|", ""},
      {{"-o", "x.LST", "p.txt"}, "p.txt|x.LST||-1|", ""},
      {{"p.txt", "--output=x.LST"}, "p.txt|x.LST||-1|", ""},
      {{"-ox.LST", "p.txt"}, "p.txt|x.LST||-1|", ""},
      {{"p.txt", "-o", "-"}, "p.txt|-||-1|", ""},
      {{"p.txt", "--output="}, "p.txt|||-1|", ""},
      {{"--", "-p.txt"}, "-p.txt|||-1|", ""},
      {{"p.txt", "--mk", "--id", "255"}, "p.txt|||255|mk", ""},
      {{"p.txt", "--mk=no", "--id=0"}, "p.txt|||0|", ""},
      {{"p.txt", "--mk-base", "out"}, "p.txt||out|-1|", ""},
      {{"--bogus", "--help"}, "|||-1|help", ""},
      {{}, "", "SOURCE is required"},
      {{"p.txt", "--bogus"}, "", "The following argument was not expected: --bogus"},
      {{"a", "b", "c"}, "", "The following arguments were not expected: b c"},
      {{"p.txt", "-o"}, "", "--output needs a value: --output TEXT"},
      {{"p.txt", "-o", "--mk"}, "", "--output needs a value: --output TEXT"},
      {{"p.txt", "-o", "a", "--output", "b"}, "", "--output is given twice"},
      {{"p.txt", "--mk", "--mk-base", "x"}, "", "--mk excludes --mk-base"},
      {{"p.txt", "--mk-base", "x", "--mk"}, "", "--mk excludes --mk-base"},
      {{"p.txt", "--mk=maybe"}, "", "--mk takes no value, or yes or no: maybe"},
      {{"p.txt", "--id", "256"}, "", "--id: Value 256 not in range 0 to 255"},
      {{"p.txt", "--id", "-1"}, "", "--id needs a value: --id INT"},
      {{"p.txt", "--id=1x"}, "", "--id: Value 1x not in range 0 to 255"},
      {{"p.txt", "--id="}, "", "--id: Value  not in range 0 to 255"},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.words));
    const Parsed parsed(c.words);
    EXPECT_EQ(parsed.error.value_or(""), c.error);
    if (c.error.empty()) {
      EXPECT_EQ(parsed.Values(), c.values);
    }
  }
}

TEST(ArgumentParser, HelpListsArgumentsInTwoColumns) {
  std::string source, base, file;
  bool mk = false;
  int id = 0;
  VerbArguments verb("compile", "Compile a source");
  verb.AddPositional("SOURCE", source, "The source").Required();
  verb.AddPositional("MORE", file, "Another");
  Argument& flag = verb.AddFlag("--mk", mk, "MK files");
  verb.Exclude(flag, verb.AddOption("--mk-base", base, "MK base").ValueText("BASE"));
  verb.AddOption("--id", id, "Identifier").Range(0, 255);
  EXPECT_EQ(verb.Help("calvern", "Footer."),
            "Compile a source\n"
            "Usage: calvern compile [OPTIONS] SOURCE [MORE]\n"
            "\n"
            "Positionals:\n"
            "  SOURCE TEXT REQUIRED        The source\n"
            "  MORE TEXT                   Another\n"
            "\n"
            "Options:\n"
            "  -h,--help                   Print this help message and exit\n"
            "  --mk Excludes: --mk-base    MK files\n"
            "  --mk-base BASE Excludes: --mk\n"
            "                              MK base\n"
            "  --id INT in [0 - 255]       Identifier\n"
            "\n"
            "Footer.\n");
}

}  // namespace
}  // namespace calvern
