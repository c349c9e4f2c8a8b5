// End-to-end: the result codes of slave mode and how a caller learns the error line.
#include <gtest/gtest.h>

#include "terminal_session.h"

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

TEST(SlaveResultCodes, MissingInfoFileReturnsOneWithAReasonAndNoWindow) {
  TempDir dir;
  RunResult run = RunCalvern(dir, {dir.File("absent.inf")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.errorOutput, "calvern: can't open the info file " + dir.File("absent.inf") + "\n");
  EXPECT_EQ(run.output, "");
  EXPECT_FALSE(dir.Exists("calvern.inf"));
}

// Without a parameter Calvern is the interactive menu; input that ends at once (no terminal)
// ends it like key 0: the settings are saved.
TEST(SlaveResultCodes, WithoutParameterTheMenuEndsWithItsInput) {
  TempDir dir;
  RunResult run = RunCalvern(dir, {});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.errorOutput, "");
  EXPECT_TRUE(dir.Read("calvern.inf").ends_with("\r\nCOM1,255\r\n\r\n"));
}

// Line 3 is compared exactly with "2" after upper-casing; anything else compiles nothing and
// returns 2 with its reason on standard error. A menu key runs its action first, with no
// console (a requester reads an empty answer), except the keys that would start the editor or
// the emulator: line 3 holds the command, not a program, so they start nothing (a program
// named like the command, found on the PATH, must not run). Slave mode never saves settings,
// not even after the quit key.
TEST(SlaveResultCodes, CommandsOtherThanCompileReturnTwoAndSayWhy) {
  const std::string notCompiled = "calvern: only command 2 compiles: nothing was compiled for ";
  const std::string notRun = "calvern: slave mode starts no editor or emulator: nothing was run ";
  struct Case {
    std::string command, reason;
  } cases[] = {{"2 ", notCompiled + "command \"2 \""}, {" 2", notCompiled + "command \" 2\""},
               {"7 ", notCompiled + "command \"7 \""}, {"1", notCompiled + "command \"1\""},
               {"5", notCompiled + "command \"5\""},   {"9", notCompiled + "command \"9\""},
               {"0", notCompiled + "command \"0\""},   {"x", notCompiled + "command \"x\""},
               {"", notCompiled + "command \"\""},     {"3", notRun + "for command 3"},
               {"4", notRun + "for command 4"},        {"6", notRun + "for command 6"}};
  TempDir programs;
  for (const char* name : {"3", "4", "6"}) {
    programs.Write(name, "#!/bin/sh\ntouch " + ShellQuote(programs.File("ran")) + "\n");
    fs::permissions(programs.path() / name, fs::perms::owner_all);
  }
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (programs.path().string() + ":" + oldPath).c_str(), 1);
  for (const Case& c : cases) {
    SCOPED_TRACE("command '" + c.command + "'");
    TempDir dir;
    dir.Write("prog.txt", "ENT\r\n");
    RunResult run = RunInfoFile(dir, {dir.File("prog.txt"), dir.File("prog.LST"), c.command,
                                      dir.File("prog."), c.command, "COM1,255", ""});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.errorOutput, c.reason + "\n");
    EXPECT_FALSE(dir.Exists("prog.LST"));
    EXPECT_FALSE(dir.Exists("prog.MKP"));
    EXPECT_FALSE(dir.Exists("calvern.inf"));
    EXPECT_FALSE(dir.Exists("calvern-help.txt"));
    EXPECT_FALSE(programs.Exists("ran")) << "a program named like the command was started";
  }
  setenv("PATH", oldPath.c_str(), 1);
}

TEST(SlaveResultCodes, EmptySourceLineReturnsTwo) {
  TempDir dir;
  RunResult run = RunInfoFile(dir, {"", dir.File("prog.LST"), "2", dir.File("prog.")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.errorOutput,
            "calvern: line 1 of the info file names no source: nothing was compiled\n");
  EXPECT_FALSE(dir.Exists("prog.LST"));
}

TEST(SlaveResultCodes, UnreadableSourceReturnsEightAndCreatesNoListing) {
  TempDir dir;
  RunResult run =
      RunInfoFile(dir, {dir.File("absent.txt"), dir.File("prog.LST"), "2", dir.File("prog.")});
  EXPECT_EQ(run.exitCode, 8);
  EXPECT_EQ(run.errorOutput, "calvern: Can't open source file! " + dir.File("absent.txt") +
                                 ": the file does not exist\n");
  EXPECT_FALSE(dir.Exists("prog.LST"));
  EXPECT_FALSE(dir.Exists("prog.MKP"));
}

TEST(SlaveResultCodes, ListingThatCannotBeCreatedReturnsNine) {
  TempDir dir;
  dir.Write("prog.txt", "ENT\r\n");
  RunResult run = RunInfoFile(
      dir, {dir.File("prog.txt"), dir.File("missing-dir/prog.LST"), "2", dir.File("prog.")});
  EXPECT_EQ(run.exitCode, 9);
  EXPECT_EQ(run.errorOutput, "calvern: Can't create output file! " +
                                 dir.File("missing-dir/prog.LST") +
                                 ": its directory does not exist\n");
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
  ExpectResultCode(run, 12 * 256 + 10);
  EXPECT_EQ(run.errorOutput, CompilationReport("ERROR at line 12    unknown instruction NOSUCH "));
  EXPECT_EQ(run.output, "");
  EXPECT_EQ(dir.Read("prog.LST"), "");
  EXPECT_FALSE(dir.Exists("prog.MKP"));
}

TEST(SlaveResultCodes, FirstLineShiftsTheReportedLine) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, "#FirstLine 100\r\nENT\r\nENT NOSUCH\r\n");
  ExpectResultCode(run, 102 * 256 + 10);
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
