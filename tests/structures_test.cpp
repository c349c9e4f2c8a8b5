// End-to-end: structured control flow (loops, IF/ELSE, SUM/MUL, SELECT/CASE) compiled to the
// calculator's jump forms, read back from the MKP file and the listing.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "compiled_image.h"

namespace calvern_test {
namespace {

struct ProgramCase {
  std::string source;
  std::string steps;  // as for ExpectedMkp
};

void ExpectPrograms(const std::vector<ProgramCase>& cases) {
  for (const ProgramCase& c : cases) {
    SCOPED_TRACE(c.source.substr(0, 120));
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
    EXPECT_EQ(Rendered(dir.Read("prog.MKP")), Rendered(ExpectedMkp(c.steps)));
  }
}

struct ErrorCase {
  std::string source;
  std::string report;  // status lines 1, 2 and 3 joined by single blanks
};

void ExpectReports(const std::vector<ErrorCase>& cases) {
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.source.substr(0, 120));
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, 10);
    EXPECT_EQ(run.errorOutput, CompilationReport(c.report));
    EXPECT_FALSE(dir.Exists("prog.MKP"));
  }
}

// A loop instruction goes back to the loop's first step: one address byte inside the block,
// three steps when the loop crosses a block or its opcode sits on a step ending in 99.
TEST(Structures, BackwardLoops) {
  ExpectPrograms({
      {"$10 =0 FOR 0 RCL 1 NEXT\r\n", "01 00 40 61 5D 03"},
      {"FOR 1 ENT NEXT", "0E 5B 00"},
      {"FOR 2 ENT NEXT", "0E 58 00"},
      {"#reg 3 cnt\r\nFOR cnt ENT NEXT", "0E 5A 00"},
      {"DO ENT LOOP", "0E 51 00"},
      {"REPEAT ENT UNTIL(x<0)", "0E 5C 00"},
      {"REPEAT ENT Until(X=0)", "0E 5E 00"},
      {"REPEAT ENT UNTIL(x>=0)", "0E 59 00"},
      {"REPEAT ENT UNTIL(x<>0)", "0E 57 00"},
      {"REPEAT ENT UNTIL(x!=0)", "0E 57 00"},
      // "!" changes nothing where no forward jump is emitted.
      {"!FOR 1 !REPEAT ENT !UNTIL(x=0) !NEXT", "0E 5E 00 5B 00"},
      {"#BLOCK 1 FOR 0 " + Times("ENT ", 98) + "NEXT", "[block 1] " + Times("0E ", 98) + "5D 00"},
      {"#BLOCK 1 FOR 0 " + Times("ENT ", 99) + "NEXT",
       "[block 1] " + Times("0E ", 99) + "FD 01 00"},
      {Times("ENT ", 95) + "FOR 1 " + Times("ENT ", 5) + "NEXT", Times("0E ", 100) + "FB 00 95"},
      {Times("ENT ", 95) + "DO " + Times("ENT ", 5) + "LOOP", Times("0E ", 100) + "F1 00 95"},
      {Times("ENT ", 95) + "REPEAT " + Times("ENT ", 5) + "UNTIL(x=0)",
       Times("0E ", 100) + "FE 00 95"},
  });
}

// WHILE jumps forward to the step after the loop instruction; "!" gives it one address byte.
TEST(Structures, WhileInsideForAndDo) {
  ExpectPrograms({
      {"FOR 0 ENT WHILE(x=0) ENT NEXT RTN", "0E FE 00 07 0E 5D 00 52"},
      {"FOR 0 ENT !WHILE(x=0) ENT NEXT RTN", "0E 5E 06 0E 5D 00 52"},
      {"DO ENT WHILE(x<0) ENT LOOP RTN", "0E FC 00 07 0E 51 00 52"},
      {"DO ENT !WHILE(x>=0) ENT LOOP RTN", "0E 59 06 0E 51 00 52"},
      {"DO !WHILE(x<>0) LOOP", "57 04 51 00"},
      {"DO WHILE(x!=0) LOOP", "F7 00 05 51 00"},
      {"#OPTIM 0 DO !WHILE(x<0) LOOP", "FC 00 05 51 00"},
      {"#OPTIM 0 #OPTIM 1 DO !WHILE(x<0) LOOP", "5C 04 51 00"},
      {Times("ENT ", 95) + "FOR 1 " + Times("ENT ", 5) + "!WHILE(x=0) NEXT RTN",
       Times("0E ", 100) + "5E 05 FB 00 95 52"},
  });
}

// IF jumps past its body, ELSE adds a GOTO past the other branch; each jump keeps its own width
// when its label is defined, whatever the form of the other.
TEST(Structures, IfElseEndif) {
  ExpectPrograms({
      {"IF(x=0)THEN ENT ELSE RTN ENDIF", "FE 00 07 0E F1 00 08 52"},
      {"!IF(x<0)THEN ENT !ELSE RTN ENDIF", "5C 05 0E 51 06 52"},
      {"!IF(x<0)THEN ENT ELSE RTN ENDIF", "5C 06 0E F1 00 07 52"},
      {"IF(x<0)THEN ENT !ELSE RTN ENDIF", "FC 00 06 0E 51 07 52"},
      {"IF(x<>0)THEN ENT ENDIF", "F7 00 04 0E"},
      {"If(X!=0)Then ENT !ENDIF", "F7 00 04 0E"},
      {"#OPTIM 0 !IF(x<0)THEN ENT !ELSE ENDIF", "FC 00 07 0E F1 00 07"},
  });
}

TEST(Structures, NestedStructures) {
  ExpectPrograms(
      {{"FOR 1\r\n DO\r\n  !WHILE(x<0)\r\n   REPEAT ENT UNTIL(x=0)\r\n"
        "   IF(x=0)THEN RTN ENDIF\r\n  LOOP\r\nNEXT\r\n",
        "5C 11 0E 5E 02 FE 00 09 52 51 00 5B 00"}});
}

// The listing shows each jump form with the keys that enter it.
TEST(Structures, ListingKeysOfTheJumpForms) {
  EXPECT_EQ(ProgramLines("FOR 0 ENT NEXT DO !WHILE(x=0) LOOP REPEAT UNTIL(x<>0)\r\n"
                         "IF(x<0)THEN ENDIF FOR 1 #BLOCK 1 NEXT DO #BLOCK 2 LOOP\r\n"),
            (std::vector<std::string>{StepLine(0, "0E", "ENT "),
                                      StepLine(1, "5D", "F L0 "),
                                      StepLine(2, "00", "0 0"),
                                      StepLine(3, "5E", "F X=0 "),
                                      StepLine(4, "07", "0 7"),
                                      StepLine(5, "51", "GOTO "),
                                      StepLine(6, "03", "0 3"),
                                      StepLine(7, "57", "F X!=0 "),
                                      StepLine(8, "07", "0 7"),
                                      StepLine(9, "FC", "P X<0 "),
                                      StepLine(10, "00", "0 0"),
                                      StepLine(11, "12", "1 2"),
                                      "",
                                      StepLine(100, "FB", "PF L1 "),
                                      StepLine(101, "00", "0 0"),
                                      StepLine(102, "12", "1 2"),
                                      "",
                                      StepLine(200, "F1", "P GOTO "),
                                      StepLine(201, "01", "0 1"),
                                      StepLine(202, "03", "0 3")}));
}

// SUM and MUL recall, combine and store the register in the form its number needs.
TEST(Structures, SumAndMulInEveryRegisterForm) {
  ExpectPrograms({
      {"SUM 5", "65 10 45"},
      {"MUL E", "6E 12 4E"},
      {"MUL 14", "6E 12 4E"},
      {"SUM 20", "6F 20 10 4F 20"},
      {"SUM 120", "F6 01 20 10 F4 01 20"},
      {"SUM \\Index0", "F6 90 30 10 F4 90 30"},
      {"SUM (3)", "D3 10 B3"},
      {"MUL (e)", "DE 12 BE"},
      {"SUM (20)", "DF 20 10 BF 20"},
      {"SUM (99)", "DF 99 10 BF 99"},
      {"#reg 7 total\r\nMUL total", "67 12 47"},
  });
  EXPECT_EQ(
      ProgramLines("SUM 5 SUM (20) MUL 120"),
      (std::vector<std::string>{
          StepLine(0, "65", "RM 5"), StepLine(1, "10", "+ "), StepLine(2, "45", "M 5"),
          StepLine(3, "DF", "PK RM "), StepLine(4, "20", "2 0"), StepLine(5, "10", "+ "),
          StepLine(6, "BF", "PK M "), StepLine(7, "20", "2 0"), StepLine(8, "F6", "PP RM "),
          StepLine(9, "01", "0 1"), StepLine(10, "20", "2 0"), StepLine(11, "12", "* "),
          StepLine(12, "F4", "PP M "), StepLine(13, "01", "0 1"), StepLine(14, "20", "2 0")}));
}

// SELECT/CASE compile the text they generate: a RCL of the register and a subtraction (or only
// the difference to the previous constant), a conditional jump past the body, and a GOTO from
// each body to the end label.
TEST(Structures, SelectCaseGeneratesComparisonsAndJumps) {
  const std::string example = "SELECT 7\r\nCASE= $1\r\nENT\r\nCASE= $3\r\nRTN\r\nENDSELECT";
  const std::string exampleSteps = "67 01 11 FE 00 10 0E F1 00 16 02 11 FE 00 16 52";
  ExpectPrograms({
      {example + "\r\n", exampleSteps},
      {example, exampleSteps},  // ENDSELECT is the last token of the source
      {"SELECT 7 CASE< @8 ENT CASE< @8 RTN CASE>= RCL 9 ENT ENDSELECT",
       "67 68 11 FC 00 10 0E F1 00 24 FC 00 17 52 F1 00 24 67 69 11 F9 00 24 0E"},
      {"SELECT 7 CASE $5 ENT CASE<> $2 ENT ENDSELECT",
       "67 05 11 FE 00 10 0E F1 00 16 03 10 F7 00 16 0E"},
      {"SELECT 7 CASE $5 ENT CASE $5 ENT ENDSELECT", "67 05 11 FE 00 10 0E F1 00 14 FE 00 14 0E"},
      {"SELECT 7 CASE @8 ENT CASE $5 ENT ENDSELECT",
       "67 68 11 FE 00 10 0E F1 00 17 67 05 11 FE 00 17 0E"},
      {"SELECT (3) CASE!= $12 ENT DEFAULT RTN ENDSELECT", "D3 01 02 11 F7 00 11 0E F1 00 12 52"},
      {"SELECT 7 DEFAULT ENT ENDSELECT", "0E"},
      {"SELECT 7 CASE $1 ENT ENDSELECT SELECT 8 CASE $1 RTN ENDSELECT",
       "67 01 11 FE 00 07 0E 68 01 11 FE 00 14 52"},
      {"SELECT 7 CASE $1 SELECT 8 CASE $2 ENT ENDSELECT ENDSELECT",
       "67 01 11 FE 00 13 68 02 11 FE 00 13 0E"},
  });

  // The generated labels: the SELECT's serial number names its end label, and the skip labels
  // share their numbers with the labels of IF.
  TempDir dir;
  RunResult run = CompileInSlaveMode(
      dir, "#LabelList 1\r\nIF(x=0)THEN ENDIF\r\nSELECT 7\r\nCASE $1\r\nENDSELECT\r\n", false);
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  std::vector<std::string> lines = ListingLines(dir.Read("prog.LST"));
  const std::vector<std::string> labels = {"  Addr  |  Name", "-------------------------",
                                           "  0003  |  lab1", "  0009  |  __LAB2",
                                           "  0009  |  __LABEL1"};
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 14, lines.begin() + 19), labels);
}

TEST(Structures, GeneratedTextAtTheEndOfTheSourceIsCompiled) {
  ExpectPrograms({
      {"SELECT 7 DEFAULT ENT ENDSELECT", "0E"},
      {"ENT\r\n#MOVE \"PU\"", "0E 43 25 F4 90 31 25 F4 90 42 F6 90 44 F4 90 34 5A 10"},
  });
}

// An error in generated text is reported on the line of the statement that generated it.
TEST(Structures, ErrorInGeneratedTextReportsTheGeneratingLine) {
  ExpectReports({
      {"SELECT 7\r\nENT\r\nCASE= @nosuch\r\nENT\r\nENDSELECT\r\n",
       "ERROR at line 3    unknown register NOSUCH "},
      {"SELECT 7\nENT\nCASE= @nosuch\nENT\nENDSELECT\n",
       "ERROR at line 3    unknown register NOSUCH "},
      {"SELECT 7\n\nCASE= @(5\nENT\n", "ERROR at line 3    missing parenthesis in (5 "},
  });
}

TEST(Structures, OperandErrors) {
  ExpectReports({
      {"ENT\r\nFOR 4\r\n", "ERROR at line 2    FOR must be used with registers 0, 1, 2 or 3. "},
      {"FOR (1)", "ERROR at line 1    unavailable indirect addressing with For. "},
      {"FOR\r\n", "ERROR at line 1    unexpected end of file ! "},
      {"FOR x", "ERROR at line 1    unknown register X "},
      {"SUM (120)", "ERROR at line 1    indirect adressing with register > 99 "},
      {"MUL (100)", "ERROR at line 1    indirect adressing with register > 99 "},
      {"SUM (5", "ERROR at line 1    missing parenthesis in (5 "},
      {"ENT\r\nMUL\r\n", "ERROR at line 2    unexpected end of file ! "},
      {"SELECT\r\n", "ERROR at line 1    unexpected end of file ! "},
      {"SELECT foo", "ERROR at line 1    unknown register FOO "},
      {"SELECT 7\r\nCASE\r\n", "ERROR at line 2    unexpected end of file ! "},
      {"SELECT 7\r\nCASE= 5\r\n", "ERROR at line 2    CASE parameter must be $val or @reg "},
      {"SELECT 7 CASE<> x", "ERROR at line 1    CASE parameter must be $val or @reg "},
      {Times("DO ", 102), "ERROR at line 1    more than 101 structures open at DO "},
  });
}

TEST(Structures, ClosingKeywordWithoutItsStructure) {
  ExpectReports({
      {"ENT\r\nNEXT\r\n", "ERROR at line 2    NEXT without FOR. "},
      {"DO NEXT", "ERROR at line 1    NEXT without FOR. "},
      {"DO WHILE(x=0) NEXT", "ERROR at line 1    NEXT without FOR. "},
      {"LOOP", "ERROR at line 1    LOOP without DO. "},
      {"FOR 0 WHILE(x=0) LOOP", "ERROR at line 1    LOOP without DO. "},
      {"UNTIL(x=0)", "ERROR at line 1    UNTIL without REPEAT. "},
      {"DO UNTIL(x<0)", "ERROR at line 1    UNTIL without REPEAT. "},
      {"WHILE(x=0)", "ERROR at line 1    WHILE without FOR/DO. "},
      {"REPEAT\r\nWHILE(x=0)\r\n", "ERROR at line 2    WHILE without FOR/DO. "},
      {"IF(x=0)THEN WHILE(x<0)", "ERROR at line 1    WHILE without FOR/DO. "},
      {"DO WHILE(x=0) !WHILE(x=0)", "ERROR at line 1    WHILE without FOR/DO. "},
      {"SELECT 7 WHILE(x=0)", "ERROR at line 1    WHILE without FOR/DO. "},
      {"ENDIF", "ERROR at line 1    ENDIF without IF. "},
      {"IF(x=0)THEN ENDIF ENDIF", "ERROR at line 1    ENDIF without IF. "},
      {"REPEAT ENDIF", "ERROR at line 1    ENDIF without IF. "},
      {"ELSE", "ERROR at line 1    ELSE without IF. "},
      {"DO ELSE", "ERROR at line 1    ELSE without IF. "},
      {"CASE $1", "ERROR at line 1    CASE without SELECT "},
      {"FOR 0 CASE $1", "ERROR at line 1    CASE without SELECT "},
      {"DEFAULT", "ERROR at line 1    DEFAULT without SELECT "},
      {"FOR 0 DEFAULT", "ERROR at line 1    DEFAULT without SELECT/Case "},
      {"ENDSELECT", "ERROR at line 1    ENDSELECT without SELECT "},
      {"DO ENDSELECT", "ERROR at line 1    ENDSELECT without SELECT/Case "},
  });
}

// At the end of the source the innermost open structure is named by the keyword that opened
// it, with the step and the line where it opened, before any reference it leaves pending (an
// open IF or WHILE would otherwise be reported as its internal label).
TEST(Structures, OpenStructureAtTheEndOfTheSource) {
  auto notClosed = [](const std::string& kind, int step, int line = 1) {
    return "End of file: " + kind + " (from step " + std::to_string(step) +
           ") Structure Not closed!, line " + std::to_string(line) + "  ";
  };
  ExpectReports({
      {"ENT ENT ENT FOR 0 ENT\r\n", notClosed("FOR", 3)},
      {"ENT\nENT\n\n  DO\nENT\n", notClosed("DO", 2, 4)},
      {"ENT REPEAT ENT", notClosed("REPEAT", 1)},
      {"DO ENT", notClosed("DO", 0)},
      {"FOR 1 ENT REPEAT ENT UNTIL(x=0)", notClosed("FOR", 0)},
      {"ENT SELECT 7", notClosed("SELECT", 1)},
      {"SELECT 7 DEFAULT ENT", notClosed("SELECT", 0)},
      {"ENT SELECT 7 CASE $1 ENT __LAB1:", notClosed("CASE", 1)},
      {Times("DO ", 101), notClosed("DO", 0)},
      {"IF(x=0)THEN ENT", notClosed("IF(test)THEN", 0)},
      {"ENT !IF(x=0)THEN ENT", notClosed("IF(test)THEN", 1)},
      {"DO ENT !WHILE(x=0)", notClosed("WHILE", 1)},
      {"SELECT 7 CASE $1 ENT", notClosed("CASE", 0)},
      {"GOTO nowhere", "Error: unresolved reference NOWHERE, line 1  "},
  });
}

}  // namespace
}  // namespace calvern_test
