// End-to-end: failures are reported as failures, programs never compile to the wrong code, and
// no output takes the place of a user's file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "compiled_image.h"
#include "slave_run.h"

namespace calvern_test {
namespace {

// The MKP file of a source that must compile.
std::string CompiledMkp(const std::string& source) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, source);
  EXPECT_EQ(run.exitCode, 0) << source << "\n" << run.errorOutput;
  return dir.Read("prog.MKP");
}

// A CASE constant that is not a plain integer is compared with the register again: only two
// integers may be corrected by their difference.
TEST(SoundResults, CaseConstantsCompileToTheirOwnComparison) {
  const std::pair<const char*, const char*> cases[] = {
      {"SELECT 7 CASE= $1.5 ENT CASE= $1.7 RTN ENDSELECT",
       "@7 $1.5 - x=0 A ENT GOTO E A: @7 $1.7 - x=0 B RTN B: E:"},
      {"SELECT 7 CASE= $1 ENT CASE= $2E2 RTN CASE= $-0.5 ENT ENDSELECT",
       "@7 $1 - x=0 A ENT GOTO E A: @7 $2E2 - x=0 B RTN GOTO E B: @7 $-0.5 - x=0 C ENT C: E:"},
      // Integers keep the short difference form, with their signs.
      {"SELECT 7 CASE= $5 ENT CASE= $-3 RTN CASE= $3 ENT ENDSELECT",
       "@7 $5 - x=0 A ENT GOTO E A: $8 + x=0 B RTN GOTO E B: $6 - x=0 C ENT C: E:"},
  };
  for (const auto& [select, equivalent] : cases) {
    EXPECT_EQ(Rendered(CompiledMkp(select)), Rendered(CompiledMkp(equivalent))) << select;
  }
}

// A value that is due and is no number is an error naming it; register operands of
// instructions keep their reading.
TEST(SoundResults, DirectiveValuesMustBeNumbers) {
  const std::pair<const char*, const char*> cases[] = {
      {"#DB ABC #END", "number expected in #DB ABC"},
      {"#DB 1 1O 2 #END", "number expected in #DB 1O"},
      {"#DB 2x #END", "number expected in #DB 2X"},
      {"#DW TOTAL #END", "number expected in #DW TOTAL"},
      {"#DWK K 1 #END", "number expected in #DWK K"},
      {"#INITB two 1", "number expected in #INITB/W/L TWO"},
      {"#DECIMAL 11 1,5", "number expected in #DECIMAL 1,5"},
      {"#DECIMAL 11 1.5.", "number expected in #DECIMAL 1.5."},
      {"#BLOCK two", "number expected in #BLOCK TWO"},
      {"#FILENAMEID \"A\" x", "number expected in #FILENAMEID X"},
      {"#DAFK K L #END L:", "number expected in #DAFK K"},
      {"#FirstLine X", "number expected in #FIRSTLINE X"},
      {"#RCLXtoI 7 x", "number expected in #RCLXTOI X"},
      {"2ND: GOTO 2ND", "a label can't begin with a digit: 2ND"},
  };
  for (const auto& [source, detail] : cases) {
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, source);
    EXPECT_EQ(run.exitCode, 10) << source;
    EXPECT_EQ(run.errorOutput, CompilationReport(std::string("ERROR at line 1    ") + detail + " "))
        << source;
  }
  EXPECT_EQ(Rendered(CompiledMkp("RCL 2X #DECIMAL 1 -1.5E-3 2 +7 3 .5")),
            "[block 0] 62 +99 unused");
}

// Stored programs with doubtful register names still compile, and say so on standard error.
TEST(SoundResults, DoubtfulRegisterNamesAreWarnings) {
  const std::pair<const char*, const char*> cases[] = {
      {"#reg 10 A\nRCL A",
       "Compilation: WARNING: a #reg name that reads as a register number is never used: A, "
       "line 1\n"},
      {"ENT\n#reg 10 X\n#reg 20 X RCL X",
       "Compilation: WARNING: #reg name given to two registers, the lower keeps it: X, line 3\n"},
      {"#reg 5 12B RCL 12B",
       "Compilation: WARNING: a #reg name that reads as a register "
       "number is never used: 12B, line 1\n"},
      {"#DAL END_ #END #BLOCK 0 1 2 3 END_:",
       "Compilation: step 0000 written twice, lines 1 and 1\n"},
  };
  for (const auto& [source, warning] : cases) {
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, source);
    EXPECT_EQ(run.exitCode, 0) << source;
    EXPECT_EQ(run.errorOutput, warning) << source;
  }
}

// An MK file that cannot be written, or that would replace the source or the listing, is a
// failure (code 9) that names the file.
TEST(SoundResults, MkFilesThatCannotBeWrittenAreReported) {
  const std::string longName(10000, 'n');
  // The reason is said when the file system gives one; a name too long for it gives none.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"missing/dir/prog.", ": its directory does not exist"}, {longName + ".", ""}};
  for (const auto& [base, reason] : cases) {
    TempDir dir;
    dir.Write("prog.txt", "ENT");
    RunResult run =
        RunInfoFile(dir, {dir.File("prog.txt"), dir.File("prog.LST"), "2", dir.File(base)});
    EXPECT_EQ(run.exitCode, 9) << base.substr(0, 20);
    EXPECT_EQ(run.errorOutput,
              "Compilation: Can't write MK file " + dir.File(base) + "MKP" + reason + "\n");
  }
  // A source named prog.MKP, and a listing named s2.MKP, are never overwritten.
  TempDir dir;
  dir.Write("prog.MKP", "ENT");
  RunResult run =
      RunInfoFile(dir, {dir.File("prog.MKP"), dir.File("prog.LST"), "2", dir.File("prog.")});
  EXPECT_EQ(run.exitCode, 9);
  EXPECT_EQ(run.errorOutput, "Compilation: Output would overwrite the source or another output: " +
                                 dir.File("prog.MKP") + "\n");
  EXPECT_EQ(dir.Read("prog.MKP"), "ENT");
  dir.Write("s2.txt", "ENT");
  run = RunInfoFile(dir, {dir.File("s2.txt"), dir.File("s2.MKP"), "2", dir.File("s2.")});
  EXPECT_EQ(run.exitCode, 9);
  EXPECT_EQ(ListingLines(dir.Read("s2.MKP"))[0], "     PROGAM ZONE");
}

// A FIFO never holds the compiler: as the source it cannot be opened, as the listing it is
// not replaced.
TEST(SoundResults, FifosAreRefusedAtOnce) {
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  dir.Write("prog.txt", "ENT");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunInfoFile(dir, {dir.File("pipe"), dir.File("prog.LST"), "2"}).exitCode, 8);
  EXPECT_EQ(RunInfoFile(dir, {dir.File("prog.txt"), dir.File("pipe"), "2"}).exitCode, 9);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  struct stat info;
  ASSERT_EQ(stat(dir.File("pipe").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

}  // namespace
}  // namespace calvern_test
