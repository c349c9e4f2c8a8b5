// The items that wait for a label: when the label is defined, each reference is filled in
// the way its item needs, and no other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compile_testing.h"

namespace calvern {
namespace {

struct PatchCase {
  std::string source;
  int first;  // first cell compared
  Texts codes;
  Texts keys;
};

void ExpectPatches(const std::vector<PatchCase>& cases) {
  TestCompiler c;
  for (const PatchCase& e : cases) {
    ASSERT_EQ(c.CompileText(e.source), 0) << e.source.substr(0, 60) << ": " << c.Status[2];
    const int n = static_cast<int>(e.codes.size());
    EXPECT_EQ(c.Codes(e.first, n), e.codes) << e.source.substr(0, 60);
    if (!e.keys.empty()) {
      EXPECT_EQ(c.Keys(e.first, n), e.keys) << e.source.substr(0, 60);
    }
  }
}

TEST(DefineLabelPatch, NumberDigitsArePaddedToTheReservedCount) {
  // #NUM reserves 4 digits (3, 2 or 1 for #NUM3-#NUM1) at steps 0-3; the label follows.
  ExpectPatches({
      {"#NUM NAME" + Filler(119) + "NAME:",
       0,
       {"00", "01", "02", "03", "0E"},
       {"0", "1", "2", "3", "ENT "}},
      {"#NUM NAME" + Filler(9872) + "NAME:", 0, {"09", "08", "07", "06"}, {"9", "8", "7", "6"}},
      {"#NUM3 NAME ENT ENT NAME:", 0, {"00", "00", "05", "0E"}, {"0", "0", "5", "ENT "}},
      {"#NUM2 NAME" + Filler(40) + "NAME:", 0, {"04", "02"}, {"4", "2"}},
      {"#NUM2 NAME" + Filler(7) + "NAME:", 0, {"00", "09"}, {"0", "9"}},
      {"#NUM1 NAME" + Filler(6) + "NAME:", 0, {"07", "0E"}, {"7", "ENT "}},
      {"#OPTIM 0 #NUM2 NAME NAME:", 0, {"00", "00", "00", "04"}, {"0", "0", "0", "4"}},
  });
  TestCompiler c;
  EXPECT_NE(c.CompileText("#NUM1 NAME" + Filler(9) + "NAME:"), 0);
  EXPECT_EQ(c.Status[2], "   Bad value in #NUM1 NAME");
}

TEST(DefineLabelPatch, AddressTablesFillTheirBytes) {
  ExpectPatches({
      // #DAL: the low two digits as a hexadecimal byte (34 = 0x22).
      {"#DAL NAME #END" + Filler(1233) + "NAME:", 0, {"22", "0E"}, {kData + "AL(34)", "ENT "}},
      // #DAF: two BCD bytes, hundreds first.
      {"#DAF NAME #END" + Filler(1232) + "NAME:",
       0,
       {"12", "34"},
       {kData + "AH(12)", kData + "AL"}},
      {"#DAF NAME #END" + Filler(5) + "NAME:", 0, {"00", "07"}, {kData + "AH(0)", kData + "AL"}},
      // #DAFK: the key at once, the address when the label comes, the closing FF.
      {"#DAFK 5 NAME #END NAME:", 0, {"05", "00", "04", "FF"}, {}},
  });
}

TEST(DefineLabelPatch, OffsetsCountFromTheBaseModulo256) {
  ExpectPatches({
      {"#OFFSET NAME #END" + Filler(299) + "NAME:", 0, {"2C"}, {kData + "OF(300)"}},
      {Filler(1000) + "#BASE #OFFSET NAME #END" + Filler(9) + "NAME:", 1000, {"0A"}, {}},
      {Filler(1000) + "#BASE #OFFSET NAME #END" + Filler(254) + "NAME:", 1000, {"FF"}, {}},
      {Filler(1000) + "#BASE #OFFSET NAME #END" + Filler(255) + "NAME:", 1000, {"00"}, {}},
  });
}

TEST(DefineLabelPatch, BinaryLabelsPatchWithTheAddressItself) {
  TestCompiler c;
  ASSERT_EQ(c.CompileText("#DAF NAME #END #NUM NAME\n#BINARY #BLOCK 8 ENT ENT\n"
                          "#DB 1 2 3 4 #END NAME: #DB 9 #END"),
            0)
      << c.Status[2];
  // Binary address 1000 + 8 * 64 + 4 = 1516; the label keeps it plus 9000.
  EXPECT_EQ(c.Program().labels[c.Program().labels.Find("NAME")].value, 10516);
  EXPECT_EQ(c.Codes(0, 6), (Texts{"15", "16", "01", "05", "01", "06"}));
  EXPECT_EQ(c.Codes(6, 2), (Texts{"0E", "0E"}));  // the program zone went on at step 6
}

TEST(DefineLabelPatch, EveryReferenceOfTheNameAndNoOtherIsPatched) {
  TestCompiler c;
  ASSERT_EQ(c.CompileText("GOTO NAME #DAL NAME OTHER #END" + Filler(1229) + "NAME: OTHER:"), 0);
  EXPECT_EQ(c.Codes(0, 5), (Texts{"F1", "12", "34", "22", "22"}));
  EXPECT_EQ(c.Keys(1, 2), (Texts{"1 2", "3 4"}));
  EXPECT_NE(c.CompileText("GOTO NAME #DAL NAME OTHER #END NAME:"), 0);
  EXPECT_EQ(c.Status[1], "Error: unresolved reference OTHER, line 1");
}

TEST(DefineLabelPatch, JumpToABinaryLabelIsRefused) {
  TestCompiler c;
  EXPECT_NE(c.CompileText("GOTO NAME #BINARY NAME:"), 0);
  EXPECT_EQ(c.Status[2], "   a binary-zone label can't be a jump target: NAME");
}

// A reference whose cells the source writes again before the label comes is dropped: the
// later write stands, and every cell written a second time is a warning (once per statement),
// while a placeholder filled in by its label is not.
TEST(DefineLabelPatch, LaterWritesWinOverPendingReferences) {
  struct Case {
    std::string source;
    int first;
    Texts codes;
    Texts warnings;
  };
  const Case cases[] = {
      {"#DAL END_ #END #BLOCK 0 1 2 3 END_:",
       0,
       {"01", "02", "03"},
       {"step 0000 written twice, lines 1 and 1"}},
      {"#OFFSET END_ #END\n#BLOCK 0 1 2 3 END_:",
       0,
       {"01", "02", "03"},
       {"step 0000 written twice, lines 1 and 2"}},
      {"#NUM3 END_\n\n#BLOCK 0\n1 2 3 END_:",
       0,
       {"01", "02", "03"},
       {"step 0000 written twice, lines 1 and 4"}},
      {"GOTO END_ #BLOCK 0 1 2 3 END_:",
       0,
       {"01", "02", "03"},
       {"step 0000 written twice, lines 1 and 1"}},
      // Only the cell written again is taken away: the jump's address is still patched.
      {"GOTO END_ ENT\n#BLOCK 0 RTN END_:",
       0,
       {"52", "00", "01", "0E"},
       {"step 0000 written twice, lines 1 and 2"}},
      // A label never defined is no error once nothing waits for it.
      {"#DAF NOWHERE #END #BLOCK 0 ENT ENT",
       0,
       {"0E", "0E"},
       {"step 0000 written twice, lines 1 and 1"}},
      {"GOTO X ENT X: #DAL X #END", 0, {"F1", "00", "04", "0E", "04"}, {}},
      {"#BINARY #DB 1 #END\n#BLOCK 0\n#DB 2 3 #END",
       10000,
       {"02", "03"},
       {"address 1000 written twice, lines 1 and 3"}},
      {"#DECIMAL 5 1 > 2 5 3",
       14096 + 40,
       {"00", "30"},
       {"register 0005 written twice, lines 1 and 1"}},
      {"ENT ENT\n#BLOCK 0 RTN\n#BLOCK 0 R/S",
       0,
       {"50", "0E"},
       {"step 0000 written twice, lines 1 and 2", "step 0000 written twice, lines 2 and 3"}},
  };
  MessageTable messages;
  for (const Case& e : cases) {
    SCOPED_TRACE(e.source);
    TestCompiler c;
    ASSERT_EQ(c.CompileText(e.source), 0) << c.Status[1] << c.Status[2];
    EXPECT_EQ(c.Codes(e.first, static_cast<int>(e.codes.size())), e.codes);
    Texts warnings;
    for (const Diagnostic& w : c.Result().warnings) warnings.push_back(DiagnosticText(w, messages) + WarningPlace(w, messages));
    EXPECT_EQ(warnings, e.warnings);
  }
}

}  // namespace
}  // namespace calvern
