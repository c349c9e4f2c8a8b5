// End-to-end: the result codes of slave mode and how a caller learns the error line.
#include <gtest/gtest.h>

#include "slave_run.h"

namespace calvern_test {
namespace {

TEST(SlaveResultCodes, SuccessfulCompilationReturnsZeroAndPrintsNothing) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, "ENT\r\nRTN\r\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.errorOutput, "");
  EXPECT_EQ(run.output, "");
  EXPECT_TRUE(dir.Exists("prog.LST"));
  EXPECT_TRUE(dir.Exists("prog.MKP"));
}

TEST(SlaveResultCodes, MissingInfoFileReturnsOneWithOneLineOnStandardError) {
  TempDir dir;
  RunResult run = RunCalvern(dir, {dir.File("absent.inf")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.errorOutput,
            "calvern: " + dir.File("absent.inf") + ": cannot open the info file\n");
  EXPECT_FALSE(dir.Exists("calvern.inf"));
}

// Without a parameter Calvern is the interactive menu; input that ends at once (no terminal)
// ends it like a closed window, without saving settings.
TEST(SlaveResultCodes, WithoutParameterTheMenuEndsWithItsInput) {
  TempDir dir;
  RunResult run = RunCalvern(dir, {});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.errorOutput, "");
  EXPECT_FALSE(dir.Exists("calvern.inf"));
}

// Line 3 is compared exactly with "2" after upper-casing; anything else compiles nothing and
// returns 2 (a menu key runs its action first, with no console: a requester reads an empty
// answer), and slave mode never saves settings, not even after the quit key.
TEST(SlaveResultCodes, CommandsOtherThanCompileReturnTwo) {
  for (const std::string command : {"2 ", " 2", "7", "1", "5", "9", "0", "X", ""}) {
    SCOPED_TRACE("command '" + command + "'");
    TempDir dir;
    dir.Write("prog.txt", "ENT\r\n");
    RunResult run = RunInfoFile(dir, {dir.File("prog.txt"), dir.File("prog.LST"), command,
                                      dir.File("prog."), "", "COM1,255", ""});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(dir.Exists("prog.LST"));
    EXPECT_FALSE(dir.Exists("prog.MKP"));
    EXPECT_FALSE(dir.Exists("calvern.inf"));
    EXPECT_EQ(run.errorOutput, "calvern: " + dir.File("job.inf") + ": line 3 holds command \"" +
                                   command + "\", not 2 (compile): nothing was compiled\n");
  }
}

// Command 6 writes the manual and starts the editor on it, then returns 2.
TEST(SlaveResultCodes, HelpCommandWritesTheManualAndStartsTheEditor) {
  TempDir dir;
  dir.Write("editor.sh", "#!/bin/sh\nprintf '%s\\n' \"$1\" > " + dir.File("editor.log") + "\n");
  fs::permissions(dir.path() / "editor.sh", fs::perms::owner_all);
  RunResult run = RunInfoFile(dir, {"", "", "6", "", "", "", ""});
  EXPECT_EQ(run.exitCode, 2) << "an empty editor line cannot start anything";
  EXPECT_TRUE(dir.Exists("calvern-help.txt"));

  run = RunInfoFile(dir, {"", "", "6", "", "", "", ""});
  dir.Write("job.inf", "\r\n\r\n6\r\n");
  EXPECT_EQ(RunCalvern(dir, {dir.File("job.inf")}).exitCode, 2);
}

TEST(SlaveResultCodes, EmptySourceLineReturnsTwo) {
  TempDir dir;
  RunResult run = RunInfoFile(dir, {"", dir.File("prog.LST"), "2", dir.File("prog.")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_FALSE(dir.Exists("prog.LST"));
}

TEST(SlaveResultCodes, UnreadableSourceReturnsEightAndCreatesNoListing) {
  TempDir dir;
  RunResult run =
      RunInfoFile(dir, {dir.File("absent.txt"), dir.File("prog.LST"), "2", dir.File("prog.")});
  EXPECT_EQ(run.exitCode, 8);
  EXPECT_FALSE(dir.Exists("prog.LST"));
  EXPECT_FALSE(dir.Exists("prog.MKP"));
}

TEST(SlaveResultCodes, ListingThatCannotBeCreatedReturnsNine) {
  TempDir dir;
  dir.Write("prog.txt", "ENT\r\n");
  RunResult run = RunInfoFile(
      dir, {dir.File("prog.txt"), dir.File("missing-dir/prog.LST"), "2", dir.File("prog.")});
  EXPECT_EQ(run.exitCode, 9);
  EXPECT_FALSE(dir.Exists("prog.MKP"));
}

// A listing named like the source would overwrite the user's program; however the two paths
// are spelled, the source must survive.
TEST(SlaveResultCodes, ListingNamingTheSourceIsRefusedAndTheSourceSurvives) {
  const std::string source = "ENT\r\nSTO 5\r\n";
  for (const std::string listing : {"prog.txt", "./prog.txt", "sub/../prog.txt"}) {
    SCOPED_TRACE(listing);
    TempDir dir;
    fs::create_directory(dir.path() / "sub");
    dir.Write("prog.txt", source);
    RunResult run = RunInfoFile(dir, {"prog.txt", listing, "2", ""});
    EXPECT_EQ(run.exitCode, 9);
    EXPECT_EQ(dir.Read("prog.txt"), source);
  }
}

TEST(SlaveResultCodes, CompilationErrorReturnsTenAndNamesTheLineOnStandardError) {
  TempDir dir;
  std::string source;
  for (int line = 1; line <= 11; ++line) source += "ENT\r\n";
  source += "NOSUCH\r\nENT\r\n";
  RunResult run = CompileInSlaveMode(dir, source);
  EXPECT_EQ(run.exitCode, (12 * 256 + 10) & 0xFF);
  EXPECT_EQ(run.errorOutput, CompilationReport("ERROR at line 12    unknown instruction NOSUCH "));
  EXPECT_EQ(run.output, "");
  EXPECT_EQ(dir.Read("prog.LST"), "");
  EXPECT_FALSE(dir.Exists("prog.MKP"));
}

TEST(SlaveResultCodes, FirstLineShiftsTheReportedLine) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, "#FirstLine 100\r\nENT\r\nENT NOSUCH\r\n");
  EXPECT_EQ(run.exitCode, 10);
  EXPECT_EQ(run.errorOutput, CompilationReport("ERROR at line 102    unknown instruction NOSUCH "));
}

// Lines 4 to 7 may be missing altogether: no MK base name, so no MK files. Relative paths are
// taken from the working directory.
TEST(SlaveResultCodes, ThreeLineInfoFileCompilesWithoutMkFiles) {
  TempDir dir;
  dir.Write("prog.txt", "ENT\r\n");
  RunResult run = RunInfoFile(dir, {"prog.txt", "prog.LST", "2"});
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_TRUE(dir.Exists("prog.LST"));
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    std::string name = entry.path().filename().string();
    EXPECT_EQ(name.find("MK"), std::string::npos) << name;
  }

  dir.Write("prog.txt", "ENT\r\nNOSUCH\r\n");
  run = RunInfoFile(dir, {"prog.txt", "prog.LST", "2"});
  EXPECT_EQ(run.exitCode, 10);
  EXPECT_EQ(run.errorOutput, CompilationReport("ERROR at line 2    unknown instruction NOSUCH "));
}

// In slave mode line 4 alone decides: the source's #MKFiles is ignored, and no file requester
// appears (its title would reach the console or standard error).
TEST(SlaveResultCodes, MkFilesDirectiveIsIgnored) {
  struct Case {
    std::string directive;
    bool baseNameGiven;
  };
  for (const Case& c : std::vector<Case>{{"#MKFiles 1", true},
                                         {"#MKFiles 1", false},
                                         {"#MKFiles 2", false},
                                         {"#MKFiles 0", true}}) {
    SCOPED_TRACE(c.directive + (c.baseNameGiven ? " with" : " without") + " line 4");
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.directive + "\r\nENT\r\n", c.baseNameGiven);
    EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errorOutput, "");
    EXPECT_EQ(dir.Exists("prog.MKP"), c.baseNameGiven);
  }
}

}  // namespace
}  // namespace calvern_test
