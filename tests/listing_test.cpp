// End-to-end: the listing file compared whole, line by line.
#include <gtest/gtest.h>

#include <cstdio>

#include "compiled_image.h"

namespace calvern_test {
namespace {

const std::string kRule = "-------------------------";
const std::string kEndLine = "--     END OF FILE     --";

// A whole listing: the program zone with the given step lines, then the given sections (each
// with its closing rule and empty line), then the end line.
std::vector<std::string> Listing(const std::vector<std::string>& steps,
                                 const std::vector<std::string>& sections = {}) {
  std::vector<std::string> lines = {"     PROGAM ZONE", "  Step  | Code | Keys", kRule};
  lines.insert(lines.end(), steps.begin(), steps.end());
  lines.push_back(kRule);
  lines.push_back("");
  lines.insert(lines.end(), sections.begin(), sections.end());
  lines.push_back(kEndLine);
  return lines;
}

std::vector<std::string> CompiledListing(const std::string& source) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, source, false);
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
  return ListingLines(dir.Read("prog.LST"));
}

TEST(Listing, SourceWithoutStatementsGivesTheSixFixedLines) {
  const std::string expected = "     PROGAM ZONE\r\n  Step  | Code | Keys\r\n" + kRule + "\r\n" +
                               kRule + "\r\n\r\n" + kEndLine + "\r\n";
  for (const std::string source : {"", "; only a comment\r\n\r\n   \r\n", "#OPTIM 0\r\n"}) {
    SCOPED_TRACE(source);
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, source, false);
    ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
    EXPECT_EQ(dir.Read("prog.LST"), expected);  // CR LF ends, no byte-order mark
  }
}

// Each instruction form shows its code and the keys that enter it on the calculator.
TEST(Listing, ShowsCodesAndKeysOfEachInstructionForm) {
  EXPECT_EQ(
      CompiledListing("$-4.2E6 sin int rti\r\n"
                      "STO (e) x=0 (3) GSB (20)\r\n"
                      "rcl 15 get 100\r\n"),
      Listing(
          {StepLine(0, "04", "4"), StepLine(1, "0A", "."), StepLine(2, "02", "2"),
           StepLine(3, "0B", "/-/"), StepLine(4, "0C", "EE"), StepLine(5, "06", "6"),
           StepLine(6, "1C", "F SIN "), StepLine(7, "34", "K INT "), StepLine(8, "F2", "PP RTI "),
           StepLine(9, "BE", "K M e"), StepLine(10, "E3", "K X=0 3"), StepLine(11, "AF", "PK GSB "),
           StepLine(12, "20", "2 0"), StepLine(13, "6F", "P RM "), StepLine(14, "15", "1 5"),
           StepLine(15, "F6", "PP RM "), StepLine(16, "01", "0 1"), StepLine(17, "00", "0 0")}));
}

// A contiguous program runs across the block boundary without an empty line; the jump whose
// opcode sits on step 99 takes the long form even though its target is in the same block.
TEST(Listing, ContiguousStepsAcrossABlockHaveNoEmptyLine) {
  std::string source = "START:\r\n";
  std::vector<std::string> steps;
  for (int step = 0; step < 99; ++step) {
    source += "ENT\r\n";
    steps.push_back(StepLine(step, "0E", "ENT "));
  }
  source += "GOTO START\r\n";
  steps.push_back(StepLine(99, "F1", "P GOTO "));
  steps.push_back(StepLine(100, "00", "0 0"));
  steps.push_back(StepLine(101, "00", "0 0"));
  EXPECT_EQ(CompiledListing(source),
            Listing(steps, {"  Addr  |  Name", kRule, "  0000  |  START", kRule, ""}));
}

TEST(Listing, LabelSection) {
  struct Case {
    std::string source;
    std::vector<std::string> steps;
    std::vector<std::string> sections;
  };
  const std::vector<Case> cases = {
      // A backward jump in the block takes the short form; labels keep their definition order.
      {"loop: ENT GOTO loop\r\nEND:\r\n",
       {StepLine(0, "0E", "ENT "), StepLine(1, "51", "GOTO "), StepLine(2, "00", "0 0")},
       {"  Addr  |  Name", kRule, "  0000  |  LOOP", "  0003  |  END", kRule, ""}},
      // A forward jump is written long and patched when its label appears.
      {"GOTO end\r\nENT\r\nend: RTN\r\n",
       {StepLine(0, "F1", "P GOTO "), StepLine(1, "00", "0 0"), StepLine(2, "04", "0 4"),
        StepLine(3, "0E", "ENT "), StepLine(4, "52", "RTN ")},
       {"  Addr  |  Name", kRule, "  0004  |  END", kRule, ""}},
      // A "__" label opens the section but is itself hidden by default...
      {"__X: ENT\r\n", {StepLine(0, "0E", "ENT ")}, {"  Addr  |  Name", kRule, kRule, ""}},
      // ... and shown when every label is listed.
      {"#LabelList 1\r\n__X: ENT\r\n",
       {StepLine(0, "0E", "ENT ")},
       {"  Addr  |  Name", kRule, "  0000  |  __X", kRule, ""}},
      // No label at all: no section.
      {"ENT\r\n", {StepLine(0, "0E", "ENT ")}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(CompiledListing(c.source), Listing(c.steps, c.sections));
  }
}

// Only registers referred to by name are listed, in register order, with the number written
// as the calculator shows it below 15, plainly up to 99, and in four digits above.
TEST(Listing, NamedRegisterSection) {
  EXPECT_EQ(
      CompiledListing("#reg 5 count\r\n#reg C rate\r\n#reg 20 total\r\n#reg 7 spare\r\n"
                      "RCL COUNT\r\nSTO \\GMode\r\nSTO total\r\nRCL Rate\r\nRCL count\r\n"),
      Listing({StepLine(0, "65", "RM 5"), StepLine(1, "F4", "PP M "), StepLine(2, "90", "9 0"),
               StepLine(3, "01", "0 1"), StepLine(4, "4F", "P M "), StepLine(5, "20", "2 0"),
               StepLine(6, "6C", "RM c"), StepLine(7, "65", "RM 5")},
              {"   Reg  |  Name", kRule, "     5  |  COUNT", "     c  |  RATE", "    20  |  TOTAL",
               "  9001  |  \\GMODE", kRule, ""}));

  // Naming a register opens the section even when the name is never used.
  EXPECT_EQ(CompiledListing("#reg 5 count\r\nRCL 5\r\n"),
            Listing({StepLine(0, "65", "RM 5")}, {"   Reg  |  Name", kRule, kRule, ""}));
}

TEST(Listing, FailedCompilationLeavesAnEmptyListing) {
  TempDir dir;
  dir.Write("prog.LST", "an older listing\r\n");
  RunResult run = CompileInSlaveMode(dir, "ENT\r\nNOSUCH\r\n");
  EXPECT_EQ(run.exitCode, 10);
  EXPECT_TRUE(dir.Exists("prog.LST"));
  EXPECT_EQ(dir.Read("prog.LST"), "");
}

TEST(Listing, LongerOldListingIsCutToTheNewContent) {
  TempDir dir;
  dir.Write("prog.LST", std::string(5000, 'x'));
  RunResult run = CompileInSlaveMode(dir, "ENT\r\n", false);
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_EQ(ListingLines(dir.Read("prog.LST")), Listing({StepLine(0, "0E", "ENT ")}));
  EXPECT_EQ(dir.Read("prog.LST").back(), '\n');
}

}  // namespace
}  // namespace calvern_test
