// End-to-end: the text of each compilation error as slave mode reports it, with its line.
#include <gtest/gtest.h>

#include "slave_run.h"

namespace calvern_test {
namespace {

struct ErrorCase {
  std::string source;
  std::string report;  // status lines 1, 2 and 3 joined by single blanks
};

void ExpectReports(const std::vector<ErrorCase>& cases) {
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.source);
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, 10);
    EXPECT_EQ(run.errorOutput, CompilationReport(c.report));
    EXPECT_EQ(dir.Read("prog.LST"), "");
    EXPECT_FALSE(dir.Exists("prog.MKP"));
  }
}

// The detail line begins with three blanks; the empty third line leaves a final blank.
TEST(ErrorMessages, StatementErrors) {
  ExpectReports({
      {"ENT\r\nENT\r\nfoo ENT\r\n", "ERROR at line 3    unknown instruction FOO "},
      {"ENT\r\n$1.2x ENT\r\n", "ERROR at line 2    bad number$1.2X "},
      {"$1E ENT\r\n", "ERROR at line 1    bad number$1E "},
      {"$1E+5 ENT\r\n", "ERROR at line 1    bad number$1E+5 "},
      {"$ ENT\r\n", "ERROR at line 1    empty number ('$' found alone) ! "},
      {"ENT : ENT\r\n", "ERROR at line 1    empty label (':' found alone) ! "},
      {"a: ENT\r\nA: ENT\r\n", "ERROR at line 2    double definition of A "},
  });
}

TEST(ErrorMessages, OperandErrors) {
  ExpectReports({
      {"RCL count ENT\r\n", "ERROR at line 1    unknown register COUNT "},
      {"STO 00 ENT\r\n", "ERROR at line 1    unknown register 00 "},
      {"STO (5 ENT\r\n", "ERROR at line 1    missing parenthesis in (5 "},
      {"STO (100) ENT\r\n", "ERROR at line 1    indirect adressing with register > 99 "},
      {"GOTO (100) ENT\r\n", "ERROR at line 1    indirect adressing with register > 99 "},
      {"L2 (3) ENT\r\n", "ERROR at line 1    unavailable indirect addressing L2 (3) "},
      {"#reg (5) rate ENT\r\n", "ERROR at line 1    unavailable indirect addressing (5) "},
  });
}

// A missing operand is reported at the line of the statement it belongs to, however many line
// ends and comment lines the tokenizer read looking for it.
TEST(ErrorMessages, EndOfSourceErrors) {
  ExpectReports({
      {"ENT\r\nGOTO\r\n", "ERROR at line 2    unexpected end of file ! "},
      {"ENT\r\nL0", "ERROR at line 2    unexpected end of file ! "},
      {"RCL\r\n\r\n; nothing follows\r\n", "ERROR at line 1    unexpected end of file ! "},
      {"#reg 5\r\n", "ERROR at line 1    unexpected end of file ! "},
      {"ENT\r\n#OPTIM", "ERROR at line 2    unexpected end of file in #OPTIM "},
      {"ENT\n#DB 1 2\n3\n", "ERROR at line 2    unexpected end of file in #DB "},
      // An unresolved reference names the line where it was used; no detail line follows.
      {"GOTO end\r\nENT\r\nEND1:\r\n", "Error: unresolved reference END, line 1  "},
      {"ENT\n\nx=0 LATER\n", "Error: unresolved reference LATER, line 3  "},
  });
}

// An error names the line where its token starts, whether lines end with LF, CR LF or CR.
TEST(ErrorMessages, ErrorsNameTheLineWhereTheTokenStarts) {
  ExpectReports({
      {"ENT\nfoo\nENT\n", "ERROR at line 2    unknown instruction FOO "},
      {"ENT\nfoo ENT\n", "ERROR at line 2    unknown instruction FOO "},
      {"ENT\nRCL count\nENT\n", "ERROR at line 2    unknown register COUNT "},
      {"ENT\r\nfoo\r\nENT\r\n", "ERROR at line 2    unknown instruction FOO "},
      {"ENT\rfoo\rENT\r", "ERROR at line 2    unknown instruction FOO "},
      {"start: R/S\n  SIN TAMGENT\n", "ERROR at line 2    unknown instruction TAMGENT "},
      {"RCL\n\n count", "ERROR at line 3    unknown register COUNT "},
      {"; header\r\n#FirstLine 20\r\nENT\nfoo\n", "ERROR at line 23    unknown instruction FOO "},
  });
}

// The calculator addresses steps 0-9999 only: a jump beyond them, or a step past the last one,
// is refused.
TEST(ErrorMessages, ProgramZoneLimits) {
  struct Case {
    std::string source;
    std::string prefix;
    std::string detail;
  };
  std::string fullZone;
  for (int step = 0; step < 9999; ++step) fullZone += "RTN\r\n";
  for (const Case& c : std::vector<Case>{
           {"ENT\r\nGOTO 10000\r\n", "ERROR at line 2    ", "jump target outside steps 0-9999: "},
           {"L0 12345 ENT\r\n", "ERROR at line 1    ", "jump target outside steps 0-9999: "},
           {fullZone + "RTN\r\nRTN\r\n", "ERROR at line 10001    ", "program zone full"},
           {fullZone + "STO 20\r\n", "ERROR at line 10000    ", "program zone full"}}) {
    SCOPED_TRACE(c.source.substr(0, 20));
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, 10);
    EXPECT_EQ(run.errorOutput.rfind("Compilation: " + c.prefix, 0), 0u) << run.errorOutput;
    EXPECT_NE(run.errorOutput.find(c.detail), std::string::npos) << run.errorOutput;
  }

  // The last step and the highest address are still fine.
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, "GOTO 9999\r\n" + fullZone.substr(5 * 2));
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
  std::vector<std::string> lines = ListingLines(dir.Read("prog.LST"));
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[3], "  0000  |  F1  | P GOTO ");
  EXPECT_EQ(lines[5], "  0002  |  99  | 9 9");
  EXPECT_EQ(lines[lines.size() - 4], "  9999  |  52  | RTN ");
}

}  // namespace
}  // namespace calvern_test
