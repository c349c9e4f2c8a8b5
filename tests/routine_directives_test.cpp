// End-to-end: the routine directives expand into calculator-language text that is compiled in
// place; each must compile exactly as that text written by hand.
#include <gtest/gtest.h>

#include "slave_run.h"

namespace calvern_test {
namespace {

// The MKP file of a source that must compile.
std::string CompiledMkp(const std::string& source) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, source);
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
  return dir.Read("prog.MKP");
}

std::string ExpectedMkp(const std::vector<unsigned char>& steps) {
  std::string bytes(1, '\0');
  for (unsigned char code : steps) {
    bytes += static_cast<char>(code);
    bytes += '\0';
  }
  for (std::size_t step = steps.size(); step % 100 != 0; ++step) bytes += "\xFF\x02";
  return bytes;
}

// The routines added by #ADDFINDFILE (tab characters included).
const std::string kFindFileText =
    "findfileid: ENT ENT $20 + prgm"
    " findfile: =4\tx<>y =5\t$64 =2 0 =\\Index0 For 2\t@2 1 - =\\GetDirLine\t@4 IF(x<0)THEN CX"
    " ELSE @\\(Index0) - ENDIF"
    " If(X=0)THEN 3 =\\Index1 @5 =\\PPtr $20 =3\tFor 3\t@\\(Index1)+ @\\(PPtr)+"
    " IF(x=0)THEN 1 STO 3 CX ELSE - ENDIF"
    " While(X=0) Next EndIf While(X<>0) Next If(X=0)THEN @2 1 - RTN EndIf 1 /-/ RTN";

// Each directive stands between other statements, so that its text is compiled at the right
// step, and the statements after it follow the generated text.
TEST(RoutineDirectives, CompileAsTheirTextWrittenByHand) {
  struct Case {
    std::string directive;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"#MOVE \"PU\"",
       "STO 3 ROT SET \\Index1 ROT SET \\Pptr FOR 3 GET \\(Pptr)+ SET \\(Index1)+ NEXT"},
      {"#MOVE \"GP\"",
       "STO 3 ROT SET \\Pptr ROT SET \\GPtr FOR 3 GET \\(GPtr)+ SET \\(Pptr)+ NEXT"},
      {"#MOVE \"bg\"", "STO 3 ROT SET \\GPtr ROT STO 4 FOR 3 RCL (4) SET \\(GPtr)+ NEXT"},
      {"#MOVE\r\n \"UB\"", "STO 3 ROT STO 4 ROT SET \\Index1 FOR 3 GET \\(Index1)+ STO (4) NEXT"},
      {"#REGTOBIN",
       "=3 ROT =4 ROT =5 CX =\\Index0 FOR 3 CX =\\Index1 8 =2 FOR 2 @(5) =\\(Index1)+ NEXT "
       "GET \\Xto8Bytes =(4) NEXT"},
      {"#BINTOREG",
       "=3 ROT =4 ROT =5 CX =\\Index0 FOR 3 @(5) EXEC \\Xto8Bytes CX =\\Index1 8 =2 FOR 2 "
       "@\\(Index1)+ =(4) NEXT NEXT"},
      {"#LOADFILE", "SET 9128 EXEC 9123"},
      {"#DELETEFILE", "SET 9128 EXEC 9124"},
      {"#CREATEFILE", "SET 9128 EXEC 9125"},
      {"#OVERWRITEFILE", "SET 9128 EXEC 9126"},
      {"#COPYFILENAME",
       "SET \\Pptr $20 STO 3 3 SET \\Index1 For 3 GET \\(Pptr)+ SET \\(Index1)+ Next"},
      {"#RCLXtoI 7 3", "RCL 7 4 - $40 /"},
      {"#rclxtoi b 7", "RCL B 4 - $17 /"},
      {"#STOItoX 7 4", "ENT $30 * 4 + STO 7"},
      {"#STOItoX 20 200", "ENT $0 * 4 + STO 20"},
      {"#ADDFINDFILE", kFindFileText},
      // The calls reach the routines forwards and backwards.
      {"#FINDFILE #FINDFILEID #ADDFINDFILE", "GOSUB FINDFILE GOSUB FINDFILEID " + kFindFileText},
      {"#ADDFINDFILE #FINDFILE #FINDFILEID", kFindFileText + " GOSUB FINDFILE GOSUB FINDFILEID"},
  };
  const std::string bare = CompiledMkp("ENT\r\nRTN\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.directive);
    const std::string generated = CompiledMkp("ENT\r\n" + c.directive + "\r\nRTN\r\n");
    const std::string byHand = CompiledMkp("ENT\r\n" + c.text + "\r\nRTN\r\n");
    EXPECT_NE(generated, bare);
    EXPECT_EQ(generated, byHand);
  }
}

// The routines' codes, worked out from the instruction forms: I/O registers take the
// three-step form, FOR 3 closes with L3 to its first step.
TEST(RoutineDirectives, GeneratedCodes) {
  EXPECT_EQ(CompiledMkp("#MOVE \"PU\""),
            ExpectedMkp({0x43, 0x25, 0xF4, 0x90, 0x31, 0x25, 0xF4, 0x90, 0x42, 0xF6, 0x90, 0x44,
                         0xF4, 0x90, 0x34, 0x5A, 0x09}));
  EXPECT_EQ(CompiledMkp("#DELETEFILE"), ExpectedMkp({0xF4, 0x91, 0x28, 0xF4, 0x91, 0x24}));
  EXPECT_EQ(CompiledMkp("#STOItoX 7 4"), ExpectedMkp({0x0E, 0x03, 0x00, 0x12, 0x04, 0x10, 0x47}));
  EXPECT_EQ(CompiledMkp("#RCLXtoI 7 3"), ExpectedMkp({0x67, 0x04, 0x11, 0x04, 0x00, 0x13}));
  EXPECT_EQ(CompiledMkp("#FINDFILE findfile: RTN"), ExpectedMkp({0xF3, 0x00, 0x03, 0x52}));
}

TEST(RoutineDirectives, Errors) {
  struct Case {
    std::string source;
    std::string report;
  };
  for (const Case& c : std::vector<Case>{
           {"#MOVE \"BB\"",
            "ERROR at line 1    Source and destination must be different in #MOVE! "},
           {"ENT\r\n#MOVE \"uu\"\r\n",
            "ERROR at line 2    Source and destination must be different in #MOVE! "},
           {"#MOVE \"PX\"", "ERROR at line 1    Use only B/G/P/U in #MOVE source/dest! "},
           {"#MOVE \"AU\"", "ERROR at line 1    Use only B/G/P/U in #MOVE source/dest! "},
           {"#MOVE PU", "ERROR at line 1    Invalid string in #MOVE "},
           // These two directives write their messages with two leading blanks.
           {"#RCLXtoI 7 0", "ERROR at line 1   Bad value in #RCLXTOI "},
           {"#STOItoX 7 -1", "ERROR at line 1   Bad value in #STOITOX "},
           {"#RCLXtoI", "ERROR at line 1   unexpected end of file in #RCLXTOI "},
           {"ENT\r\n#STOItoX 7\r\n", "ERROR at line 2   unexpected end of file in #STOITOX "},
           // Errors inside the generated text carry the directive's line.
           {"ENT\n#RCLXtoI foo 3\nENT\n", "ERROR at line 2    unknown register FOO "},
           {"ENT\r\n#STOItoX (5 4\r\nENT\r\n", "ERROR at line 2    missing parenthesis in (5 "},
           {"#FINDFILE RTN", "Error: unresolved reference FINDFILE, line 1  "},
       }) {
    SCOPED_TRACE(c.source);
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, 10);
    EXPECT_EQ(run.errorOutput, CompilationReport(c.report));
    EXPECT_FALSE(dir.Exists("prog.MKP"));
  }
}

}  // namespace
}  // namespace calvern_test
