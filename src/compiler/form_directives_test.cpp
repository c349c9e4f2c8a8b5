// Form instruction codes and form tables: the bytes and keys the form engine reads, and every
// way a form declaration can go wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compile_testing.h"

namespace calvern {
namespace {

// A form 0 of one element whose header is at step 4; its main program starts at step 12.
const std::string kForm = "#FormTable 0 #END #DefineForm 0 1 #FormMainProgram ";

struct Bytes {
  std::string source;
  int first;  // first cell compared
  Texts codes;
  Texts keys;
};

void ExpectBytes(const std::vector<Bytes>& cases) {
  TestCompiler c;
  for (const Bytes& e : cases) {
    SCOPED_TRACE(e.source.substr(0, 80));
    ASSERT_EQ(c.CompileText(e.source), 0) << c.Status[2];
    const int n = static_cast<int>(e.codes.size());
    EXPECT_EQ(c.Codes(e.first, n), e.codes);
    Texts keys;
    for (const std::string& k : e.keys) keys.push_back(kData + k);
    EXPECT_EQ(c.Keys(e.first, n), keys);
  }
}

TEST(FormCodes, OpcodeThenOperandBytes) {
  ExpectBytes({
      {"#TAB 8 3 #RETUM #RETUL #END",
       0,
       {"60", "08", "03", "67", "71", "FF"},
       {"TAB", "byte", "byte", "RETUM", "RETUL", "END"}},
      {"#LDX 5 #LDY \\GMode #LDADR 1234",
       0,
       {"68", "00", "05", "69", "90", "01", "4D", "12", "34"},
       {"LDX", "RH(5)", "RL", "LDY", "RH(9001)", "RL", "LDADR", "RH(1234)", "RL"}},
      {"#SQU 3 112 10 #FRAME 0 255 1 #TYPE 65",
       0,
       {"59", "03", "70", "0A", "5B", "00", "FF", "01", "65", "41"},
       {"SQU", "byte", "byte", "byte", "FRAME", "byte", "byte", "byte", "TYPE", "byte"}},
      {"#reg 42 total #TXTK 16 total #PREXP 16 7 #PRHEX 1 F #PRFORM 16 7 3 2",
       0,
       {"57", "10", "00", "42", "5C", "10", "00", "07", "5E", "01", "00", "15", "5D", "10", "00",
        "07", "03", "02"},
       {"TXTK", "byte", "RH(42)", "RL", "PREXP", "byte", "RH(7)", "RL", "PRHEX", "byte", "RH(15)",
        "RL", "PRFORM", "byte", "RH(7)", "RL", "byte", "byte"}},
      // "A": a number, a label defined before, a binary-zone label (its binary address), a
      // label defined later (patched as #DAF patches).
      {"#ATYPE 5000 #DRAWP 2 0",
       0,
       {"4E", "50", "00", "54", "02", "00", "00"},
       {"ATYPE", "AH(5000)", "AL", "DRAWP", "byte", "AH(0)", "AL"}},
      {"#BLOCK 12" + Filler(34) + "there: #BLOCK 0 #LCALL there",
       0,
       {"70", "12", "34"},
       {"LCALL", "AH(1234)", "AL"}},
      {"#LCALL there" + Filler(1231) + "there:", 0, {"70", "12", "34"}, {"LCALL", "AH(12)", "AL"}},
      {"#BINARY #BLOCK 1 tbl: #DB 0 #END #PROGRAM #DRAWB 16 tbl #TXTB 0 txt"
       " #BINARY txt: #PROGRAM",
       0,
       {"56", "10", "10", "64", "55", "00", "10", "65"},
       {"DRAWB", "byte", "AH(1064)", "AL", "TXTB", "byte", "AH(10)", "AL"}},
      // "O": the distance from the form's header at step 4, back or forward.
      {kForm + Filler(8) + "#JM there" + Filler(2) + "there:", 20, {"38", "14"}, {"JM", "OF(24)"}},
      {kForm + "back: #MCALL back #JNEZ 3 fwd #JM 4 fwd:",
       12,
       {"66", "08", "01", "00", "03", "10", "38", "00"},
       {"MCALL", "OF(12)", "JNEZ", "RH(3)", "RL", "OF(20)", "JM", "OF(4)"}},
      // A reference counts from the form where it stands, even when another form has begun
      // by the time its label is defined.
      {"#FormTable 0 1 #END #DefineForm 0 1 #JM far #DefineForm 1 1 far:",
       15,
       {"38", "12"},
       {"JM", "OF(25)"}},
      // Form codes go to the program zone while the binary zone is current.
      {"#BINARY #TAB 1 2 #DB 7 #END", 0, {"60", "01", "02"}, {"TAB", "byte", "byte"}},
  });
}

// Compiles sources that must fail: status lines 1 and 2 as the menu shows them.
void ExpectErrors(const std::vector<std::pair<std::string, Texts>>& cases) {
  TestCompiler c;
  for (const auto& [source, lines] : cases) {
    SCOPED_TRACE(source.substr(0, 80));
    EXPECT_NE(c.CompileText(source), 0);
    EXPECT_EQ((Texts{c.Status[1], c.Status[2]}), lines);
  }
}

TEST(FormCodes, BadOperandsAreReported) {
  const std::string far = "   form offset outside 0-255 steps after the form's start: ";
  ExpectErrors({
      {"ENT\n#TAB 8", {"ERROR at line 2", "   unexpected end of file in #TAB"}},
      {"ENT\n#JNEZ 3\n\n", {"ERROR at line 2", "   unexpected end of file in #JNEZ"}},
      {"#TAB 256 0", {"ERROR at line 1", "   value out of range in #TAB 256"}},
      {"#TYPE -1", {"ERROR at line 1", "   value out of range in #TYPE -1"}},
      {"#TAB x 0", {"ERROR at line 1", "   number expected in #TAB X"}},
      {"#LDX (5)", {"ERROR at line 1", "   unavailable indirect addressing (5)"}},
      {"#LDX nothing", {"ERROR at line 1", "   unknown register NOTHING"}},
      {"#LCALL (15)", {"ERROR at line 1", "   unavailable indirect addressing (15)"}},
      {kForm + "#JM (5)", {"ERROR at line 1", "   unavailable indirect addressing (5)"}},
      {"#LCALL 10000", {"ERROR at line 1", "   value out of range in #LCALL 10000"}},
      {"#JM 5", {"ERROR at line 1", "   #JM without #DefineForm"}},
      // Offsets never wrap: before the header, or 256 steps or more after it.
      {kForm + "#JM 3", {"ERROR at line 1", far + "3"}},
      {kForm + "#JM 260", {"ERROR at line 1", far + "260"}},
      {"back: " + kForm + "#MCALL back", {"ERROR at line 1", far + "BACK"}},
      {kForm + "#JM far\n" + Filler(248) + "far:", {"ERROR at line 3", far + "FAR"}},
  });
  // The last step that one byte reaches.
  TestCompiler c;
  ASSERT_EQ(c.CompileText(kForm + "#JM far" + Filler(245) + "far:"), 0) << c.Status[2];
  EXPECT_EQ(c.Codes(12, 2), (Texts{"38", "FF"}));
}

// Two forms: their table, their headers and tables, ">>" sharing, and the programs.
TEST(FormTables, LayOutHeadersTablesAndPrograms) {
  TestCompiler c;
  ASSERT_EQ(c.CompileText("#FormTable 1 2 7 #END\n"
                          "#DefineForm 1 2 #FormFlags 5 5 #FormOutput >> #FormInput 1 0 1 1\n"
                          "#FormRight 1 >> #FormLeft 1 0\n"
                          "#FormMainProgram #TAB 8 3 #END #FormElements\n"
                          "#FormElementProgram 1 #TAB 8 12 #END\n"
                          "#FormElementProgram 0 #TAB 8 2 #END\n"
                          "#DefineForm 2 1 #FormMainProgram #END #FormFlags 0\n"),
            0)
      << c.Status[2];
  // The form table: id, header address (BCD), ...; form 7 is never defined.
  EXPECT_EQ(c.Codes(0, 10), (Texts{"01", "00", "10", "02", "00", "41", "07", "??", "??", "FF"}));
  EXPECT_EQ(c.Keys(0, 10),
            (Texts{kData + "Id", kData + "AH(10)", kData + "AL", kData + "Id", kData + "AH(41)",
                   kData + "AL", kData + "Id", kData + "Undef", kData + "Undef", kData + "END"}));
  // Form 1 at step 10: size, then the offsets of flags, input, output (= input), left,
  // right, main program and element programs.
  EXPECT_EQ(c.Codes(10, 8), (Texts{"01", "08", "0A", "0A", "0F", "0E", "11", "15"}));
  EXPECT_EQ(c.Keys(10, 2), (Texts{kData + "Size", kData + "OF(18)"}));
  EXPECT_EQ(c.Keys(15, 1), (Texts{kData + "OF(24)"}));
  // Flags, input, right (whose second entry is the left table's first byte), left.
  EXPECT_EQ(c.Codes(18, 9), (Texts{"05", "05", "01", "00", "01", "01", "01", "01", "00"}));
  EXPECT_EQ(c.Codes(27, 4), (Texts{"60", "08", "03", "FF"}));
  // The element program table, then the programs of elements 1 and 0.
  EXPECT_EQ(c.Codes(31, 2), (Texts{"1B", "17"}));
  EXPECT_EQ(c.Keys(31, 2), (Texts{kData + "OF(37)", kData + "OF(33)"}));
  EXPECT_EQ(c.Codes(33, 8), (Texts{"60", "08", "0C", "FF", "60", "08", "02", "FF"}));
  // Form 2 at step 41: only its main program and flags are declared.
  EXPECT_EQ(c.Codes(41, 10), (Texts{"00", "09", "&", "&", "&", "&", "08", "&", "FF", "00"}));
  EXPECT_EQ(c.CurrentStep(), 51);
}

TEST(FormTables, DeclarationErrors) {
  const std::string table = "#FormTable 0 #END ";
  const std::string form = table + "#DefineForm 0 2 ";
  ExpectErrors({
      {"#FormTable #END", {"ERROR at line 1", "   empty table in #Formtable"}},
      {"ENT\n#FormTable 0 1\n", {"ERROR at line 2", "   unexpected end of file in #FormTable"}},
      {"#FormTable 255 #END", {"ERROR at line 1", "   value out of range in #FormTable 255"}},
      {"#DefineForm 0 1", {"ERROR at line 1", "   #Defineform without #FormTable"}},
      {table + "\n#DefineForm 0", {"ERROR at line 2", "   Not enough parameters in #DefineForm"}},
      {table + "#DefineForm 7 2", {"ERROR at line 1", "   unknown identifier in#DefineForm"}},
      {table + "#DefineForm 0 0", {"ERROR at line 1", "   bad element number in#DefineForm"}},
      {table + "#DefineForm 0 257", {"ERROR at line 1", "   bad element number in#DefineForm"}},
      {form + "#DefineForm 0 2", {"ERROR at line 1", "   form defined twice (Id is used!)"}},
      {"#FormFlags 1", {"ERROR at line 1", "   #FORMFLAGS without #DefineForm"}},
      {form + "\n#FormInput 1 0 1", {"ERROR at line 2", "   unexpected end of file in #FORMINPUT"}},
      {form + "#FormLeft 1 256", {"ERROR at line 1", "   value out of range in #FORMLEFT 256"}},
      {form + "#FormElements #FormElementProgram 2",
       {"ERROR at line 1", "   bad element number in#FORMELEMENTPROGRAM"}},
      {form + "#FormElementProgram 0",
       {"ERROR at line 1", "   #FORMELEMENTPROGRAM without #FormElements"}},
      {form + "#FormElements\n#FormElementProgram",
       {"ERROR at line 2", "   unexpected end of file in #FORMELEMENTPROGRAM"}},
      // Each form's element programs go to its own element table.
      {"#FormTable 0 1 #END #DefineForm 0 2 #FormElements #DefineForm 1 2 "
       "#FormElementProgram 0",
       {"ERROR at line 1", "   #FORMELEMENTPROGRAM without #FormElements"}},
      // A part 256 steps or more after its form's header cannot be reached.
      {form + Filler(248) + "#FormMainProgram",
       {"ERROR at line 2",
        "   form offset outside 0-255 steps after the form's start: "
        "#FORMMAINPROGRAM"}},
      {form + "#FormElements" + Filler(246) + "#FormElementProgram 1",
       {"ERROR at line 2",
        "   form offset outside 0-255 steps after the form's start: #FORMELEMENTPROGRAM 1"}},
  });
}

}  // namespace
}  // namespace calvern
