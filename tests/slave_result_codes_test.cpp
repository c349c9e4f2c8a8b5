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

TEST(SlaveResultCodes, MissingInfoFileReturnsOneWithoutAnyMessage) {
  TempDir dir;
  RunResult run = RunCalvern(dir, {dir.File("absent.inf")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.errorOutput, "");
  EXPECT_FALSE(dir.Exists("calvern.inf"));
}

TEST(SlaveResultCodes, WithoutParameterPrintsOneNoticeAndFails) {
  TempDir dir;
  RunResult run = RunCalvern(dir, {});
  EXPECT_NE(run.exitCode, 0);
  ASSERT_FALSE(run.errorOutput.empty());
  EXPECT_EQ(run.errorOutput.find('\n'), run.errorOutput.size() - 1) << run.errorOutput;
}

// Line 3 is compared exactly with "2" after upper-casing; anything else compiles nothing and
// returns 2, and slave mode never saves settings, not even after the quit key.
TEST(SlaveResultCodes, CommandsOtherThanCompileReturnTwo) {
  struct Case {
    std::string command;
    bool notice;  // a menu key of a later version: says it is not available
  };
  for (const Case& c : std::vector<Case>{{"2 ", false},
                                         {" 2", false},
                                         {"7", true},
                                         {"1", true},
                                         {"0", false},
                                         {"X", false},
                                         {"", false}}) {
    SCOPED_TRACE("command '" + c.command + "'");
    TempDir dir;
    dir.Write("prog.txt", "ENT\r\n");
    RunResult run = RunInfoFile(dir, {dir.File("prog.txt"), dir.File("prog.LST"), c.command,
                                      dir.File("prog."), "", "COM1,255", ""});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(dir.Exists("prog.LST"));
    EXPECT_FALSE(dir.Exists("prog.MKP"));
    EXPECT_FALSE(dir.Exists("calvern.inf"));
    if (c.notice) {
      EXPECT_NE(run.errorOutput.find("not available in this version"), std::string::npos)
          << run.errorOutput;
    } else {
      EXPECT_EQ(run.errorOutput, "");
    }
  }
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
