#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "compiler/compile_testing.h"

namespace calvern {
namespace {

class CompilationTest : public ::testing::Test {
 protected:
  Texts Codes(int from, int count) const { return c.Codes(from, count); }
  Texts Keys(int from, int count) const { return c.Keys(from, count); }
  // Compiles a source that must fail and returns status lines 1 and 2.
  std::pair<std::string, std::string> Failure(const std::string& source) {
    EXPECT_NE(c.CompileText(source), 0) << source;
    return {c.Status[1], c.Status[2]};
  }

  TestCompiler c;
};

struct Encoding {
  std::string source;
  Texts codes;
  Texts keys;
};

void ExpectEncodings(TestCompiler& c, const std::vector<Encoding>& cases, int at = 0) {
  for (const Encoding& e : cases) {
    ASSERT_EQ(c.CompileText(e.source), 0) << e.source << ": " << c.Status[2];
    ASSERT_EQ(c.CurrentStep(), at + static_cast<int>(e.codes.size())) << e.source;
    const int count = static_cast<int>(e.codes.size());
    EXPECT_EQ(c.Codes(at, count), e.codes) << e.source;
    EXPECT_EQ(c.Keys(at, count), e.keys) << e.source;
    EXPECT_EQ(c.Code(at + count), "&") << e.source;
  }
}

TEST_F(CompilationTest, DollarNumbersBecomeKeystrokes) {
  ExpectEncodings(
      c, {
             {"$20", {"02", "00"}, {"2", "0"}},
             {"$-4.2E6", {"04", "0A", "02", "0B", "0C", "06"}, {"4", ".", "2", "/-/", "EE", "6"}},
             {"$1e-5", {"01", "0C", "05", "0B"}, {"1", "EE", "5", "/-/"}},
             {"$E5", {"0C", "05"}, {"EE", "5"}},
             {"$1..2", {"01", "0A", "0A", "02"}, {"1", ".", ".", "2"}},
             {"$-7", {"07", "0B"}, {"7", "/-/"}},
             {"$-", {"0B"}, {"/-/"}},
             {"$-E-1", {"0B", "0C", "01", "0B"}, {"/-/", "EE", "1", "/-/"}},
         });
}

TEST_F(CompilationTest, BadDollarNumbersNameTheWholeToken) {
  const std::pair<const char*, const char*> cases[] = {
      {"$", "   empty number ('$' found alone) !"},
      {"$1E", "   bad number$1E"},
      {"$1E+5", "   bad number$1E+5"},
      {"$1.2x", "   bad number$1.2X"},
      {"$1E5E", "   bad number$1E5E"},
      {"$--1", "   bad number$--1"},
  };
  for (const auto& [source, detail] : cases) {
    EXPECT_EQ(Failure(source), std::make_pair(std::string("ERROR at line 1"), std::string(detail)));
  }
  // The steps before the bad character stay in the image.
  Failure("$1.2X");
  EXPECT_EQ(Codes(0, 4), (Texts{"01", "0A", "02", "&"}));
}

TEST_F(CompilationTest, PlainFAndKKeysTakeOneStep) {
  ExpectEncodings(c, {
                         {"ENT", {"0E"}, {"ENT "}},
                         {"enter", {"0E"}, {"ENT "}},
                         {"Enter", {"0E"}, {"ENT "}},
                         {"chs", {"0B"}, {"+/- "}},
                         {"x<>y", {"14"}, {"X<>Y "}},
                         {"stop", {"50"}, {"R/S "}},
                         {"RTI", {"F2"}, {"PP RTI "}},
                         {"sin", {"1C"}, {"F SIN "}},
                         {"tg", {"1E"}, {"F TG "}},
                         {"lastx", {"0F"}, {"F ANS "}},
                         {"int", {"34"}, {"K INT "}},
                         {"rnd", {"3B"}, {"K RAN "}},
                         {"!nop", {"54"}, {"K NOP "}},
                     });
}

TEST_F(CompilationTest, RegisterInstructionsPickTheirForm) {
  ExpectEncodings(c, {
                         {"RCL 5", {"65"}, {"RM 5"}},
                         {"rcl e", {"6E"}, {"RM e"}},
                         {"RCL 14", {"6E"}, {"RM e"}},
                         {"RCL 0", {"60"}, {"RM 0"}},
                         {"RCL F", {"6F", "15"}, {"P RM ", "1 5"}},
                         {"RCL 15", {"6F", "15"}, {"P RM ", "1 5"}},
                         {"RCL 015", {"6F", "15"}, {"P RM ", "1 5"}},
                         {"RCL 42x", {"6F", "42"}, {"P RM ", "4 2"}},
                         {"RCL 100", {"F6", "01", "00"}, {"PP RM ", "0 1", "0 0"}},
                         {"RCL 9999", {"F6", "99", "99"}, {"PP RM ", "9 9", "9 9"}},
                         {"STO 14", {"4E"}, {"M e"}},
                         {"get 3", {"63"}, {"RM 3"}},
                         {"exec 3", {"43"}, {"M 3"}},
                         {"=7 @8", {"47", "68"}, {"M 7", "RM 8"}},
                         {"SET \\DiskEnable", {"F4", "91", "20"}, {"PP M ", "9 1", "2 0"}},
                         {"STO \\gmode", {"F4", "90", "01"}, {"PP M ", "9 0", "0 1"}},
                         {"@\\GMODE", {"F6", "90", "01"}, {"PP RM ", "9 0", "0 1"}},
                         {"STO (e)", {"BE"}, {"K M e"}},
                         {"STO (5)", {"B5"}, {"K M 5"}},
                         {"RCL (A)", {"DA"}, {"K RM a"}},
                         {"STO (15)", {"BF", "15"}, {"PK M ", "1 5"}},
                         {"RCL (99)", {"DF", "99"}, {"PK RM ", "9 9"}},
                         {"#reg 5 COUNT RCL count", {"65"}, {"RM 5"}},
                         {"#reg 20 Rate =rate", {"4F", "20"}, {"P M ", "2 0"}},
                         {"#reg 7 X #reg 3 X RCL X", {"63"}, {"RM 3"}},  // lowest number wins
                         // renaming the lowest holder hands a shared name to the next one
                         {"#reg 3 X #reg 7 X #reg 5 X #reg 3 Y RCL X", {"65"}, {"RM 5"}},
                         {"#reg 7 X #reg 3 X #reg 7 Y RCL X RCL Y", {"63", "67"}, {"RM 3", "RM 7"}},
                         {"#reg 5 00 RCL 00", {"65"}, {"RM 5"}},
                         {"#reg 5 \\gmode RCL \\GMode", {"65"}, {"RM 5"}},
                         {"#?reg 6 Y @y", {"66"}, {"RM 6"}},
                     });
  EXPECT_TRUE(c.Program().namedRegisterUsed);
}

TEST_F(CompilationTest, JumpsAndLoopsAtStepZero) {
  ExpectEncodings(c, {
                         {"GOTO 5", {"51", "05"}, {"GOTO ", "0 5"}},
                         {"GOTO 150", {"F1", "01", "50"}, {"P GOTO ", "0 1", "5 0"}},
                         {"!GOTO 150", {"F1", "01", "50"}, {"P GOTO ", "0 1", "5 0"}},
                         {"gsb 99", {"53", "99"}, {"GSB ", "9 9"}},
                         {"gosub 3", {"53", "03"}, {"GSB ", "0 3"}},
                         {"x<0 7", {"5C", "07"}, {"F X<0 ", "0 7"}},
                         {"if(x>=0)goto 7", {"5C", "07"}, {"F X<0 ", "0 7"}},
                         {"If(x<>0)goto 7", {"5E", "07"}, {"F X=0 ", "0 7"}},
                         {"x<>0 3", {"57", "03"}, {"F X!=0 ", "0 3"}},
                         {"x>=0 300", {"F9", "03", "00"}, {"P X>=0 ", "0 3", "0 0"}},
                         {"x<0 (5)", {"C5"}, {"K X<0 5"}},
                         {"x=0 (3)", {"E3"}, {"K X=0 3"}},
                         {"GOTO (e)", {"8E"}, {"K GOTO e"}},
                         {"GSB (20)", {"AF", "20"}, {"PK GSB ", "2 0"}},
                         {"x<0 (15)", {"CF", "15"}, {"PK X<0 ", "1 5"}},
                         {"GOTO 0012", {"51", "12"}, {"GOTO ", "1 2"}},
                         {"L0 5", {"5D", "05"}, {"F L0 ", "0 5"}},
                         {"L1 150", {"FB", "01", "50"}, {"PF L1 ", "0 1", "5 0"}},
                         {"L3 9999", {"FA", "99", "99"}, {"PF L3 ", "9 9", "9 9"}},
                         {"A: ENT GOTO a", {"0E", "51", "00"}, {"ENT ", "GOTO ", "0 0"}},
                     });
}

TEST_F(CompilationTest, OneByteAddressOnlyInsideTheBlockOfTheOpcode) {
  ExpectEncodings(c, {{Filler(50) + "L2 1234", {"F8", "12", "34"}, {"PF L2 ", "1 2", "3 4"}}}, 50);
  ExpectEncodings(c, {{Filler(1250) + "L2 1234", {"58", "34"}, {"F L2 ", "3 4"}}}, 1250);
  ExpectEncodings(c, {{Filler(1199) + "L2 1234", {"F8", "12", "34"}, {"PF L2 ", "1 2", "3 4"}}},
                  1199);
  // A step ending in 99 always takes the long form, even for a target in its own block.
  ExpectEncodings(c, {{Filler(99) + "GOTO 50", {"F1", "00", "50"}, {"P GOTO ", "0 0", "5 0"}}}, 99);
  ExpectEncodings(c, {{Filler(98) + "GOTO 5", {"51", "05"}, {"GOTO ", "0 5"}}}, 98);
  ExpectEncodings(c, {{Filler(1299) + "x=0 1205", {"FE", "12", "05"}, {"P X=0 ", "1 2", "0 5"}}},
                  1299);
  // A label from another block.
  ExpectEncodings(
      c, {{"A:" + Filler(100) + "GOTO A", {"F1", "00", "00"}, {"P GOTO ", "0 0", "0 0"}}}, 100);
}

TEST_F(CompilationTest, ForwardReferencesTakeTheLongFormAndArePatched) {
  // Before its definition a label in the same block still costs three steps.
  ASSERT_EQ(c.CompileText("GOTO B ENT B:"), 0);
  EXPECT_EQ(Codes(0, 4), (Texts{"F1", "00", "04", "0E"}));
  EXPECT_EQ(Keys(0, 3), (Texts{"P GOTO ", "0 0", "0 4"}));

  ASSERT_EQ(c.CompileText("GOTO B x=0 B L0 b\n" + Filler(1226) + "B: GSB B"), 0);
  EXPECT_EQ(Codes(0, 9), (Texts{"F1", "12", "35", "FE", "12", "35", "FD", "12", "35"}));
  EXPECT_EQ(Keys(0, 9),
            (Texts{"P GOTO ", "1 2", "3 5", "P X=0 ", "1 2", "3 5", "PF L0 ", "1 2", "3 5"}));
  EXPECT_EQ(Codes(1235, 2), (Texts{"53", "35"}));  // after the definition: a known label
}

// A jump to a label not yet defined is written long, and its patch keeps both address bytes
// whatever the label's own prefix says: "!B:" must not cut the address in half.
TEST_F(CompilationTest, BangOnALabelLeavesALongJumpWhole) {
  const std::string jump = "GOTO B\n" + Filler(1232);
  for (const std::string prefix : {"", "#OPTIM 0 "}) {
    ASSERT_EQ(c.CompileText(prefix + jump + "!B:"), 0) << prefix;
    EXPECT_EQ(Codes(0, 3), (Texts{"F1", "12", "35"}));
    EXPECT_EQ(Keys(0, 3), (Texts{"P GOTO ", "1 2", "3 5"}));
  }
}

TEST_F(CompilationTest, ErrorsReportDetailAndLine) {
  struct Case {
    std::string source;
    std::string line1;
    std::string line2;
  };
  const Case cases[] = {
      {"FOO", "ERROR at line 1", "   unknown instruction FOO"},
      {"#reg5 X", "ERROR at line 1", "   unknown instruction #REG5"},
      {"ENT\nfoo ENT", "ERROR at line 2", "   unknown instruction FOO"},
      {"ENT\nFOO\nENT", "ERROR at line 2", "   unknown instruction FOO"},  // where FOO starts
      {":", "ERROR at line 1", "   empty label (':' found alone) !"},
      {"A:\nENT\nA: ENT", "ERROR at line 3", "   double definition of A"},
      {"a:\nENT\nA:\n", "ERROR at line 3", "   double definition of A"},
      {"RCL", "ERROR at line 1", "   unexpected end of file !"},
      {"GOTO  ;nothing", "ERROR at line 1", "   unexpected end of file !"},
      {"L3\n", "ERROR at line 1", "   unexpected end of file !"},  // the statement's line
      {"STO (100)", "ERROR at line 1", "   indirect adressing with register > 99"},
      {"GOTO (100)", "ERROR at line 1", "   indirect adressing with register > 99"},
      {"RCL 00", "ERROR at line 1", "   unknown register 00"},
      {"RCL 10000", "ERROR at line 1", "   unknown register 10000"},
      {"RCL foo", "ERROR at line 1", "   unknown register FOO"},
      {"RCL ()", "ERROR at line 1", "   unknown register ()"},
      {"RCL (5", "ERROR at line 1", "   missing parenthesis in (5"},
      {"RCL \\NetworkID", "ERROR at line 1", "   unknown register \\NETWORKID"},
      {"RCL G", "ERROR at line 1", "   unknown register G"},
      {"RCL foo\nENT", "ERROR at line 1", "   unknown register FOO"},
      {"#reg 5 X #reg 5 Y RCL X", "ERROR at line 1", "   unknown register X"},
      {"!", "ERROR at line 1", "   unknown instruction !"},
      {"#?", "ERROR at line 1", "   unknown instruction #?"},
      {"L2 (3)", "ERROR at line 1", "   unavailable indirect addressing L2 (3)"},
      {"l0 (b)", "ERROR at line 1", "   unavailable indirect addressing L0 (B)"},
      {"GOTO 10000", "ERROR at line 1", "   jump target outside steps 0-9999: 10000"},
      {"L1 12345", "ERROR at line 1", "   jump target outside steps 0-9999: 12345"},
      {"#reg (5) X", "ERROR at line 1", "   unavailable indirect addressing (5)"},
      {"#reg 5", "ERROR at line 1", "   unexpected end of file !"},
      {"#reg 00 X", "ERROR at line 1", "   unknown register 00"},
      {"#FirstLine", "ERROR at line 1", "   unexpected end of file !"},
      {"#OPTIM", "ERROR at line 1", "   unexpected end of file in #OPTIM"},
      {"#FirstLine 100\nENT\nFOO ENT", "ERROR at line 102", "   unknown instruction FOO"},
      {"#FirstLine 10 FOO", "ERROR at line 10", "   unknown instruction FOO"},
      {Filler(10000) + "ENT", "ERROR at line 2",
       "   program zone full: the step counter passed 9999"},
      {Filler(9998) + "GOTO 5", "ERROR at line 2",
       "   program zone full: the step counter passed 9999"},
  };
  for (const Case& e : cases) {
    EXPECT_EQ(Failure(e.source), std::make_pair(e.line1, e.line2)) << e.source.substr(0, 40);
  }
  // A full program zone is no error.
  EXPECT_EQ(c.CompileText(Filler(9999) + "ENT"), 0);
  EXPECT_EQ(c.CurrentStep(), 10000);
}

TEST_F(CompilationTest, SettingsDirectivesSetTheirSwitchesWithoutSteps) {
  ASSERT_EQ(c.CompileText("#MKFiles 1 #LabelList 1 #FirstLine 7 A: b: IF(x<0)THEN ENDIF"), 0);
  EXPECT_EQ(c.Program().mkFilesRequest, 1);
  EXPECT_EQ(c.Program().listAllLabels, 1);
  EXPECT_EQ(c.Program().userLabelCount, 2);  // the IF's internal label does not count
  EXPECT_EQ(c.CurrentStep(), 3);             // only the IF's long jump
  // #FirstLine numbers the following lines; #OPTIM 0 makes "!" ineffective, #OPTIM 3 is on.
  EXPECT_EQ(Failure("#FirstLine 7\nFOO").first, "ERROR at line 8");
  ASSERT_EQ(c.CompileText("#OPTIM 0 !IF(x<0)THEN ENDIF"), 0);
  EXPECT_EQ(Codes(0, 3), (Texts{"FC", "00", "03"}));
  ASSERT_EQ(c.CompileText("#OPTIM 0 #OPTIM 3 !IF(x<0)THEN ENDIF"), 0);
  EXPECT_EQ(Codes(0, 2), (Texts{"5C", "02"}));
}

TEST_F(CompilationTest, PendingReferencesAtTheEndAreReportedByName) {
  EXPECT_EQ(Failure("GOTO Later\nENT").first, "Error: unresolved reference LATER, line 1");
  EXPECT_EQ(Failure("GOTO B\nx=0 A\nB:").first, "Error: unresolved reference A, line 2");
  EXPECT_EQ(Failure("GOTO B GOTO A").first, "Error: unresolved reference B, line 1");
}

TEST_F(CompilationTest, LabelAndReferenceLimits) {
  std::string labels;
  for (int i = 0; i < 512; ++i) labels += "N" + std::to_string(i) + ": ";
  EXPECT_EQ(c.CompileText(labels), 0);
  EXPECT_EQ(c.Program().labels.Count(), 512);
  EXPECT_EQ(Failure(labels + "LAST:"),
            std::make_pair(std::string("ERROR at line 1"),
                           std::string("   label table full (512 labels) at LAST")));
  // A full table still names a second definition as such.
  EXPECT_EQ(Failure(labels + "N7:").second, "   double definition of N7");

  std::string jumps;
  std::string targets;
  for (int i = 0; i < 512; ++i) {
    jumps += "GOTO T" + std::to_string(i) + " ";
    targets += "T" + std::to_string(i) + ": ";
  }
  EXPECT_EQ(c.CompileText(jumps + targets), 0);
  EXPECT_EQ(Failure(jumps + "GOTO T512").second,
            "   too many pending forward references (512) at T512");
  // Resolved references make room: 700 in total, never more than two pending.
  std::string resolved;
  for (int i = 0; i < 350; ++i) {
    const std::string name = "R" + std::to_string(i);
    resolved += "GOTO " + name + " GSB " + name + " " + name + ": ";
  }
  EXPECT_EQ(c.CompileText(resolved), 0) << c.Status[2];
  EXPECT_EQ(c.CurrentStep(), 350 * 6);
}

// References to 500 labels pile up past the 512 the table holds at once, hundreds still
// pending each time it makes room by dropping the resolved ones: every jump lands on its label.
TEST_F(CompilationTest, PendingReferencesSurviveTheTableMakingRoom) {
  std::mt19937 random(1612);
  std::string source;
  std::vector<std::pair<int, int>> jumps;  // the jump's first step, its label
  std::vector<int> labelStep;
  int step = 0;
  while (labelStep.size() < 500) {
    if (random() % 4 == 0) {
      source += "T" + std::to_string(labelStep.size()) + ": ";
      labelStep.push_back(step);
      continue;
    }
    const int ahead = static_cast<int>(std::min<std::size_t>(120, 500 - labelStep.size()));
    const int label = static_cast<int>(labelStep.size()) + static_cast<int>(random() % ahead);
    source += "GOTO T" + std::to_string(label) + "\n";
    jumps.emplace_back(step, label);
    step += 3;
  }
  ASSERT_EQ(c.CompileText(source), 0) << c.Status[2];
  ASSERT_GT(jumps.size(), 1200u);
  const auto twoDigits = [](int n) { return std::string{char('0' + n / 10), char('0' + n % 10)}; };
  for (const auto& [at, label] : jumps) {
    const int target = labelStep[label];
    ASSERT_EQ(Codes(at + 1, 2), (Texts{twoDigits(target / 100), twoDigits(target % 100)}))
        << "jump at step " << at;
  }
}

}  // namespace
}  // namespace calvern

namespace calvern {
namespace {

// A one-byte forward jump ("!") reaches only its own block of 100 steps: a label beyond it is
// an error instead of a jump to the wrong step.
TEST(OneByteJumps, MustLandInTheirOwnBlock) {
  TestCompiler c;
  EXPECT_EQ(c.CompileText("ENT !IF(x<0)THEN" + Filler(96) + "ENDIF"), 0);
  EXPECT_EQ(c.Code(2), "99");
  EXPECT_NE(c.CompileText("ENT !IF(x<0)THEN" + Filler(97) + "ENDIF"), 0);
  EXPECT_EQ(c.Status[2],
            "   a one-byte jump ('!') can't reach this label from another block of 100 steps, "
            "jump at step 1");
  EXPECT_EQ(c.Status[1], "ERROR at line 2");
}

}  // namespace
}  // namespace calvern

namespace calvern {
namespace {

TEST(NumDirective, NumbersAreWrittenWholeAndAbsurdOnesRefused) {
  TestCompiler c;
  ASSERT_EQ(c.CompileText("#NUM 12345678"), 0);
  EXPECT_EQ(c.CurrentStep(), 8);
  EXPECT_EQ(c.Code(7), "08");
  EXPECT_NE(c.CompileText("#NUM 1234567890123456789"), 0);
  EXPECT_EQ(c.Status[2], "   value out of range in #NUM 1234567890123456789");
}

TEST(TextParameters, EndOfSourceBeforeTheQuoteIsAnInvalidString) {
  TestCompiler c;
  EXPECT_NE(c.CompileText("#FILENAME   \n"), 0);
  EXPECT_EQ(c.Status[2], "   Invalid string in #FILENAME");
  EXPECT_NE(c.CompileText("#TEXT"), 0);
  EXPECT_EQ(c.Status[2], "   Invalid string in #TEXT");
}

}  // namespace
}  // namespace calvern
