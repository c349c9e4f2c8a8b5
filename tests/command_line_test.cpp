// End-to-end tests of the command line: verbs and options, exit codes, diagnostics in the form
// editors parse, MK files and the symbol file, and how `calvern FILE` tells an info file from
// a source.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "slave_run.h"

namespace calvern_test {
namespace {

constexpr const char* kOkSource = "#reg 20 TOTAL\r\nstart: @TOTAL GOTO start\r\n";
const std::string kHint = "Run 'calvern --help' for usage.\n";

struct OutputCase {
  std::vector<std::string> args;
  int exitCode;
  std::string errorOutput;
  std::string output;
};

// Every case runs beside ok.txt, which must come out of it unchanged.
TEST(CommandLine, ExitCodesAndMessages) {
  const std::vector<OutputCase> cases = {
      {{"ok.txt"}, 0, "", ""},
      {{"compile", "ok.txt", "-o", "ok.lst", "--mk"}, 0, "", ""},
      {{"--version"}, 0, "", std::string("calvern ") + CALVERN_VERSION + "\n"},
      {{"--bogus"}, 2, "calvern: The following argument was not expected: --bogus\n" + kHint, ""},
      {{"ok.txt", "--bogus"},
       2,
       "calvern: The following argument was not expected: --bogus\n" + kHint,
       ""},
      {{"compile"}, 2, "calvern: SOURCE is required\n" + kHint, ""},
      {{"ok.txt", "--mk", "--mk-base", "x"}, 2, "calvern: --mk excludes --mk-base\n" + kHint, ""},
      {{"compile", "absent.txt"},
       3,
       "calvern: cannot read the source absent.txt: the file does not exist\n",
       ""},
      {{"ok.txt", "-o", "no/dir/ok.LST"},
       3,
       "calvern: cannot write the listing no/dir/ok.LST: its directory does not exist\n",
       ""},
      {{"ok.txt", "-o", "./ok.txt"},
       3,
       "calvern: the listing would overwrite the source ok.txt\n",
       ""},
      {{"ok.txt", "--mk-base", "ok.tx"}, 0, "", ""},
      {{"ok.txt", "--symbols", "ok.txt"},
       3,
       "calvern: the symbol file would overwrite the source or the listing\n",
       ""},
      {{"ok.txt", "--lang", "absent.LOC"},
       3,
       "calvern: cannot read the language file absent.LOC\n",
       ""},
      {{"nosuch.txt"},
       3,
       "calvern: cannot read the source nosuch.txt: the file does not exist\n",
       ""},
      {{"compil", "ok.txt"},
       2,
       "calvern: unknown command 'compil'; did you mean 'compile'?\n" + kHint,
       ""},
      {{"sned"}, 2, "calvern: unknown command 'sned'; did you mean 'send'?\n" + kHint, ""},
      {{"-o", "out.LST", "ok.txt"}, 0, "", ""},
      {{"--mk-base=out", "--lang", "", "ok.txt"}, 0, "", ""},
      {{"ok.txt", "--symbols", "no/dir/ok.json"},
       3,
       "calvern: cannot write the symbol file no/dir/ok.json: its directory does not exist\n",
       ""},
  };
  for (const OutputCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    TempDir dir;
    dir.Write("ok.txt", kOkSource);
    RunResult run = RunCalvern(dir, c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.errorOutput, c.errorOutput);
    EXPECT_EQ(run.output, c.output);
    EXPECT_EQ(dir.Read("ok.txt"), kOkSource);
  }
}

TEST(CommandLine, HelpPrintsUsageAndTheManual) {
  TempDir dir;
  for (const std::string option : {"--help", "-h"}) {
    RunResult run = RunCalvern(dir, {option});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errorOutput, "");
    EXPECT_NE(run.output.find("Usage: calvern [OPTIONS] [SUBCOMMAND]"), std::string::npos);
    EXPECT_NE(run.output.find("Exit codes: 0 ok, 1 compile error"), std::string::npos);
  }
  RunResult usage = RunCalvern(dir, {"compile", "--help"});
  EXPECT_EQ(usage.exitCode, 0);
  EXPECT_NE(usage.output.find("--mk-base"), std::string::npos) << usage.output;
  EXPECT_EQ(usage.output.substr(0, usage.output.find('\n')),
            "Compile a source into its listing and MK files (or just: calvern SOURCE)");

  // `calvern help` prints the manual that menu key 6 writes, with plain line feeds.
  RunResult manual = RunCalvern(dir, {"help"});
  EXPECT_EQ(manual.exitCode, 0);
  ASSERT_GT(manual.output.size(), 1000u);
  EXPECT_EQ(manual.output.rfind("  Help file for Calvern ", 0), 0u);
  EXPECT_TRUE(manual.output.ends_with("  -- END OF FILE --\n"));
  EXPECT_EQ(manual.output.find('\r'), std::string::npos);

  // `help -o FILE` writes it as key 6 does: the same lines, each ended by CR LF.
  RunResult written = RunCalvern(dir, {"help", "-o", "manual.txt"});
  EXPECT_EQ(written.exitCode, 0);
  EXPECT_EQ(written.output + written.errorOutput, "");
  std::string crlf;
  for (char c : manual.output) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(dir.Read("manual.txt"), crlf);
  RunResult refused = RunCalvern(dir, {"help", "-o", "no/dir/manual.txt"});
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_EQ(refused.errorOutput, "calvern: can't write no/dir/manual.txt\n");
}

struct DiagnosticCase {
  std::string source;
  int exitCode;
  std::string errorOutput;  // after "sub/prog.txt:"
};

// The file as given, line, column of the token's first character, no trailing blanks.
TEST(CommandLine, DiagnosticsInTheFormEditorsParse) {
  const std::vector<DiagnosticCase> cases = {
      {"x:\r\n GOTO x \r\n  @COUNTER ; c\r\n", 1, "3:4: error: unknown register COUNTER\n"},
      {"ENT SQRTX ENT\r\n", 1, "1:5: error: unknown instruction SQRTX\n"},
      {"x:\r\n  @COUNTER\r\n", 1, "2:4: error: unknown register COUNTER\n"},
      {"GOTO nowhere \r\n", 1, "1: error: unresolved reference NOWHERE\n"},
      {"ENT\r\nIF(x<0)THEN ENT \r\n", 1,
       "2: error: End of file: IF(test)THEN (from step 1) Structure Not closed!\n"},
      {"ENT\n#reg 10 X\n#reg 20 X RCL X", 0,
       "3:9: warning: #reg name given to two registers, the lower keeps it: X\n"},
      {"#DAL END_ #END\n#BLOCK 0 1 2 3 END_:", 0,
       "2: warning: step 0000 written twice, lines 1 and 2\n"},
  };
  for (const DiagnosticCase& c : cases) {
    SCOPED_TRACE(c.source);
    TempDir dir;
    fs::create_directory(dir.path() / "sub");
    dir.Write("sub/prog.txt", c.source);
    RunResult run = RunCalvern(dir, {"sub/prog.txt"});
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.errorOutput, "sub/prog.txt:" + c.errorOutput);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(dir.Read("sub/prog.LST").empty(), c.exitCode != 0);
  }
  // A translation speaks through --lang, found in the current directory or by its path.
  TempDir dir;
  dir.Write("prog.txt", cases[0].source);
  fs::copy_file(fs::path(CALVERN_SOURCE_DIR) / "lang" / "fr.LOC", dir.path() / "fr.LOC");
  for (const std::string& lang :
       std::vector<std::string>{"fr.LOC", "./fr.LOC", (dir.path() / "fr.LOC").string()}) {
    SCOPED_TRACE(lang);
    RunResult run = RunCalvern(dir, {"compile", "prog.txt", "--lang", lang});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errorOutput, "prog.txt:3:4: error: registre inconnu COUNTER\n");
  }
}

// Installed as PREFIX/bin/calvern, the program finds PREFIX/share/calvern/fr.LOC by its name
// from any directory, and a file of that name in the current directory comes first.
TEST(CommandLine, LanguageFilesOfTheInstallationAreFound) {
  TempDir prefix;
  fs::create_directories(prefix.path() / "bin");
  fs::create_directories(prefix.path() / "share" / "calvern");
  fs::copy_file(CALVERN_BINARY, prefix.path() / "bin" / "calvern");
  fs::copy_file(fs::path(CALVERN_SOURCE_DIR) / "lang" / "fr.LOC",
                prefix.path() / "share" / "calvern" / "fr.LOC");
  TempDir work;
  work.Write("prog.txt", "ENT @COUNTER\r\n");
  const std::string installed = prefix.File("bin/calvern");
  RunResult run = RunProgram(installed, work, {"prog.txt", "--lang", "fr.LOC"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.errorOutput, "prog.txt:1:6: error: registre inconnu COUNTER\n");
  fs::copy_file(fs::path(CALVERN_SOURCE_DIR) / "lang" / "ru.LOC", work.path() / "fr.LOC");
  run = RunProgram(installed, work, {"prog.txt", "--lang", "fr.LOC"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.errorOutput.find("registre"), std::string::npos) << run.errorOutput;
  EXPECT_EQ(RunProgram(installed, work, {"prog.txt", "--lang", "ru.LOC"}).exitCode, 3);
}

// --mk puts the MK files beside the listing, --mk-base where it says; their bytes are those
// slave mode writes.
TEST(CommandLine, MkFilesGoBesideTheListingOrUnderTheBase) {
  const std::string source = "ENT #BINARY #DB 1 2 #END\r\n#DECIMAL 5 1.5\r\n";
  TempDir dir;
  dir.Write("prog.txt", source);
  ASSERT_EQ(RunInfoFile(dir, {"prog.txt", "slave.LST", "2", "slave."}).exitCode, 0);
  fs::create_directories(dir.path() / "out");
  ASSERT_EQ(RunCalvern(dir, {"prog.txt", "-o", "out/p.LST", "--mk"}).exitCode, 0);
  ASSERT_EQ(RunCalvern(dir, {"compile", "prog.txt", "--mk-base", "out/base"}).exitCode, 0);
  EXPECT_EQ(dir.Read("out/p.LST"), dir.Read("slave.LST"));
  for (const std::string extension : {"MKP", "MKB", "MKD"}) {
    SCOPED_TRACE(extension);
    ASSERT_TRUE(dir.Exists("slave." + extension));
    EXPECT_EQ(dir.Read("out/p." + extension), dir.Read("slave." + extension));
    EXPECT_EQ(dir.Read("out/base." + extension), dir.Read("slave." + extension));
    EXPECT_FALSE(dir.Exists("prog." + extension));
  }
  EXPECT_EQ(dir.Read("prog.LST"), dir.Read("slave.LST"));
}

TEST(CommandLine, SymbolFileReadsBack) {
  TempDir dir;
  dir.Write("sym.txt",
            "#reg 20 TOTAL\r\n#reg 9001 MYIO\r\nstart: @TOTAL GOTO start\r\n"
            "IF(x<0)THEN ENT ENDIF\r\n#BINARY\r\ntab: #DB 1 2 3 #END\r\n#DECIMAL 5 1.5\r\n");
  RunResult run = RunCalvern(dir, {"sym.txt", "--symbols", "sym.json"});
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  const nlohmann::json expected = nlohmann::json::parse(R"({
    "labels": [{"name": "START", "zone": "program", "step": 0},
               {"name": "TAB", "zone": "binary", "address": 1000}],
    "registers": [{"name": "TOTAL", "register": 20}, {"name": "MYIO", "register": 9001}],
    "zones": {"program": {"used": {"first": 0, "last": 7}, "firstFree": 8},
              "binary": {"used": {"first": 1000, "last": 1002}, "firstFree": 1003},
              "decimal": {"used": {"first": 5, "last": 5}, "firstFree": 6}}})");
  EXPECT_EQ(nlohmann::json::parse(dir.Read("sym.json")), expected);

  dir.Write("empty.txt", "");
  ASSERT_EQ(RunCalvern(dir, {"empty.txt", "--symbols", "empty.json"}).exitCode, 0);
  const nlohmann::json empty = nlohmann::json::parse(R"({"labels": [], "registers": [],
    "zones": {"program": {"used": null, "firstFree": 0},
              "binary": {"used": null, "firstFree": 1000},
              "decimal": {"used": null, "firstFree": 0}}})");
  EXPECT_EQ(nlohmann::json::parse(dir.Read("empty.json")), empty);
}

struct ReadingCase {
  std::string name;
  std::string content;  // empty: the file does not exist
  int exitCode;
  std::string errorOutput;  // "$" stands for the file's full path
  std::string listing;      // the file that must exist afterwards, if any
};

// `calvern FILE`: a name ending in .inf is an info file as it always was, a missing file of
// another name a source that does not exist; another file is an info file when its line 3 is
// a menu key, which is said on standard error.
TEST(CommandLine, SingleArgumentIsAnInfoFileOrASource) {
  const std::string notice =
      "calvern: reading $ as an info file (its line 3 is a menu key); run "
      "'calvern compile $' to compile it as a source\n";
  const std::vector<ReadingCase> cases = {
      {"prog.txt", "ENT\r\n", 0, "", "prog.LST"},
      {"JOB.INF", "ENT\r\n", 2,
       "calvern: only command 2 compiles: nothing was compiled for command \"\"\n", ""},
      {"job.Inf", "", 1, "calvern: can't open the info file $\n", ""},
      {"plain", "", 3, "calvern: cannot read the source $: the file does not exist\n", ""},
      {"settings", "ok.txt\r\nout.LST\r\n2\r\n", 0, notice, "out.LST"},
      {"three.txt", "ENT\nx\n2\n", 8,
       notice + "calvern: Can't open source file! ENT: the file does not exist\n", ""},
      {"eight.txt", "ENT\nENT\n2\n\n\n\n\nENT\n", 0, "", "eight.LST"},
      {"listing.inf", "ok.txt\r\nok.txt\r\n2\r\n", 9, "calvern: Can't create output file! ok.txt\n",
       ""},
  };
  for (const ReadingCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    dir.Write("ok.txt", kOkSource);
    if (!c.content.empty()) dir.Write(c.name, c.content);
    RunResult run = RunCalvern(dir, {dir.File(c.name)});
    std::string expected = c.errorOutput;
    for (std::size_t at; (at = expected.find('$')) != std::string::npos;) {
      expected.replace(at, 1, dir.File(c.name));
    }
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.errorOutput, expected);
    if (!c.listing.empty()) {
      EXPECT_TRUE(dir.Exists(c.listing));
    }
    EXPECT_EQ(dir.Read("ok.txt"), kOkSource);
  }
  // Only the first parameter counts for an info file named so.
  TempDir dir;
  dir.Write("ok.txt", kOkSource);
  dir.Write("job.inf", "ok.txt\r\nok.LST\r\n2\r\n");
  EXPECT_EQ(RunCalvern(dir, {"job.inf", "--mk", "extra"}).exitCode, 0);
  EXPECT_TRUE(dir.Exists("ok.LST"));
  EXPECT_FALSE(dir.Exists("ok.MKP"));
}

struct PrintedCase {
  std::string name;
  std::function<RunResult(const TempDir&)> run;
  int exitCode;
  std::string errorOutput;  // "$" stands for the temporary directory
};

// What is printed is read, not obeyed, and of a readable size: control characters in names
// are visible escapes, a huge token is cut, a huge source is refused with the limit, and a
// flood of warnings is counted.
TEST(PrintedTexts, NamesTokensSizesAndWarningCounts) {
  const std::string evil = "evil\x1b]0;PWNED\x07\x1b[2J.txt";
  const std::string shown = "evil\\x1b]0;PWNED\\x07\\x1b[2J.txt";
  const std::string token(10'000'000, 'Q');
  const std::string cut = std::string(100, 'Q') + "...";
  std::string manyWarnings;
  for (int i = 0; i < 100'000; ++i) {
    manyWarnings += "#reg " + std::to_string(20 + i % 900) + " 12\r\n";
  }
  std::string fiveWarnings;
  for (int line = 1; line <= 5; ++line) {
    fiveWarnings += "regs.txt:" + std::to_string(line) +
                    ":9: warning: a #reg name that reads as a register number is never used: 12\n";
  }
  const std::vector<PrintedCase> cases = {
      {"missing source", [&](const TempDir& dir) { return RunCalvern(dir, {evil}); }, 3,
       "calvern: cannot read the source " + shown + ": the file does not exist\n"},
      {"missing source in slave mode",
       [&](const TempDir& dir) {
         return RunInfoFile(dir, {evil, "out.LST", "2"});
       },
       8, "calvern: Can't open source file! " + shown + ": the file does not exist\n"},
      {"unreadable info file", [&](const TempDir& dir) { return RunCalvern(dir, {evil + ".inf"}); },
       1, "calvern: can't open the info file " + shown + ".inf\n"},
      {"long token",
       [&](const TempDir& dir) {
         dir.Write("long.txt", "ENT " + token + "\r\n");
         return RunCalvern(dir, {"long.txt"});
       },
       1, "long.txt:1:5: error: unknown instruction " + cut + "\n"},
      {"long token in slave mode",
       [&](const TempDir& dir) { return CompileInSlaveMode(dir, "ENT\r\n" + token); }, 10 + 256 * 2,
       "Compilation: ERROR at line 2    unknown instruction " + cut + " \n"},
      {"100 MB source",
       [&](const TempDir& dir) {
         fs::resize_file(dir.File("huge.txt"), 100u << 20);
         return RunCalvern(dir, {"huge.txt"});
       },
       3,
       "calvern: cannot read the source huge.txt: larger than 64 MiB, the largest source "
       "Calvern reads\n"},
      {"100 000 warnings",
       [&](const TempDir& dir) {
         dir.Write("regs.txt", manyWarnings);
         return RunCalvern(dir, {"regs.txt"});
       },
       0, fiveWarnings + "calvern: 99995 more warnings not shown\n"},
  };
  for (const PrintedCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    dir.Write("huge.txt", "");
    RunResult run = c.run(dir);
    ExpectResultCode(run, c.exitCode);
    EXPECT_EQ(run.errorOutput, c.errorOutput);
    EXPECT_EQ(run.output, "");
  }
}

}  // namespace
}  // namespace calvern_test
