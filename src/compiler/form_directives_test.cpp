// Form instruction codes and form declarations: the bytes and keys the form engine reads, and
// every way a form declaration can go wrong.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "compiler/compile_testing.h"

namespace calvern {
namespace {

// A form 0 of one element whose header is at step 4; its main program starts at step 12.
const std::string kForm = "#FormTable 0 #END #DefineForm 0 1 #FormMainProgram ";

// "60 08 03" as {"60", "08", "03"}; with `mark`, each text gets the data mark.
Texts Split(const std::string& text, const std::string& mark = "") {
  std::istringstream in(text);
  Texts words;
  for (std::string w; in >> w;) words.push_back(mark + w);
  return words;
}

TEST(FormCodes, OpcodeThenOperandBytes) {
  struct Case {
    std::string source;
    int first;  // first cell compared
    std::string codes, keys;
  };
  const Case cases[] = {
      {"#TAB 8 3 #RETUM #RETUL #END", 0, "60 08 03 67 71 FF", "TAB byte byte RETUM RETUL END"},
      {"#LDX 5 #LDY \\GMode #LDADR 1234", 0, "68 00 05 69 90 01 4D 12 34",
       "LDX RH(5) RL LDY RH(9001) RL LDADR RH(1234) RL"},
      {"#SQU 3 112 10 #FRAME 0 255 1 #TYPE 65", 0, "59 03 70 0A 5B 00 FF 01 65 41",
       "SQU byte byte byte FRAME byte byte byte TYPE byte"},
      {"#reg 42 total #TXTK 16 total #PREXP 16 7 #PRHEX 1 F #PRFORM 16 7 3 2", 0,
       "57 10 00 42 5C 10 00 07 5E 01 00 15 5D 10 00 07 03 02",
       "TXTK byte RH(42) RL PREXP byte RH(7) RL PRHEX byte RH(15) RL PRFORM byte RH(7) RL byte "
       "byte"},
      // "A": a number, a label defined before or later (patched as #DAF patches), a label of
      // the binary zone (its binary address).
      {"#ATYPE 5000 #DRAWP 2 0", 0, "4E 50 00 54 02 00 00",
       "ATYPE AH(5000) AL DRAWP byte AH(0) AL"},
      {"#BLOCK 12" + Filler(34) + "there: #BLOCK 0 #LCALL there", 0, "70 12 34",
       "LCALL AH(1234) AL"},
      {"#LCALL there" + Filler(1231) + "there:", 0, "70 12 34", "LCALL AH(12) AL"},
      {"#BINARY #BLOCK 1 tbl: #DB 0 #END #PROGRAM #DRAWB 16 tbl #TXTB 0 txt #BINARY txt:", 0,
       "56 10 10 64 55 00 10 65", "DRAWB byte AH(1064) AL TXTB byte AH(10) AL"},
      // "O": the distance from the form's header at step 4, back or forward.
      {kForm + Filler(8) + "#JM there" + Filler(2) + "there:", 20, "38 14", "JM OF(24)"},
      {kForm + "back: #MCALL back #JNEZ 3 fwd #JM 4 fwd:", 12, "66 08 01 00 03 10 38 00",
       "MCALL OF(12) JNEZ RH(3) RL OF(20) JM OF(4)"},
      // The last step one byte reaches.
      {kForm + "#JM far" + Filler(245) + "far:", 12, "38 FF", "JM OF(259)"},
      // A reference counts from the form where it stands, even when another form has begun
      // by the time its label is defined.
      {"#FormTable 0 1 #END #DefineForm 0 1 #JM far #DefineForm 1 1 far:", 15, "38 12",
       "JM OF(25)"},
      // Form codes go to the program zone while the binary zone is current.
      {"#BINARY #TAB 1 2 #DB 7 #END", 0, "60 01 02", "TAB byte byte"},
  };
  TestCompiler c;
  for (const Case& e : cases) {
    SCOPED_TRACE(e.source.substr(0, 80));
    ASSERT_EQ(c.CompileText(e.source), 0) << c.Status[2];
    const Texts codes = Split(e.codes);
    EXPECT_EQ(c.Codes(e.first, static_cast<int>(codes.size())), codes);
    EXPECT_EQ(c.Keys(e.first, static_cast<int>(codes.size())), Split(e.keys, kData));
  }
}

// Sources that must fail, with the line and the detail of status lines 1 and 2.
void ExpectErrors(const std::vector<std::tuple<std::string, int, std::string>>& cases) {
  TestCompiler c;
  for (const auto& [source, line, detail] : cases) {
    SCOPED_TRACE(source.substr(0, 80));
    EXPECT_NE(c.CompileText(source), 0);
    EXPECT_EQ(c.Status[1], "ERROR at line " + std::to_string(line));
    EXPECT_EQ(c.Status[2], "   " + detail);
  }
}

const std::string kFar = "form offset outside 0-255 steps after the form's start: ";

TEST(FormCodes, BadOperandsAreReported) {
  ExpectErrors({
      {"ENT\n#TAB 8", 2, "unexpected end of file in #TAB"},
      {"ENT\n#JNEZ 3\n\n", 2, "unexpected end of file in #JNEZ"},
      {"#TAB 256 0", 1, "value out of range in #TAB 256"},
      {"#TAB x 0", 1, "number expected in #TAB X"},
      {"#LDX (5)", 1, "unavailable indirect addressing (5)"},
      {"#LDX nothing", 1, "unknown register NOTHING"},
      {"#LCALL (15)", 1, "unavailable indirect addressing (15)"},
      {kForm + "#JM (5)", 1, "unavailable indirect addressing (5)"},
      {"#LCALL 10000", 1, "value out of range in #LCALL 10000"},
      {"#JM 5", 1, "#JM without #DefineForm"},
      // Offsets never wrap: before the header, or 256 steps or more after it.
      {kForm + "#JM 3", 1, kFar + "3"},
      {kForm + "#JM 260", 1, kFar + "260"},
      {"back: " + kForm + "#MCALL back", 1, kFar + "BACK"},
      {kForm + "#JM far\n" + Filler(246) + "far:", 3, kFar + "FAR"},
  });
}

TEST(FormTables, DeclarationErrors) {
  const std::string table = "#FormTable 0 #END ";
  const std::string form = table + "#DefineForm 0 2 ";
  ExpectErrors({
      {"#FormTable #END", 1, "empty table in #Formtable"},
      {"ENT\n#FormTable 0 1\n", 2, "unexpected end of file in #FormTable"},
      {"#FormTable 255 #END", 1, "value out of range in #FormTable 255"},
      {"#DefineForm 0 1", 1, "#Defineform without #FormTable"},
      {table + "\n#DefineForm 0", 2, "Not enough parameters in #DefineForm"},
      {table + "#DefineForm 7 2", 1, "unknown identifier in#DefineForm"},
      {table + "#DefineForm 0 0", 1, "bad element number in#DefineForm"},
      {table + "#DefineForm 0 257", 1, "bad element number in#DefineForm"},
      {form + "#DefineForm 0 2", 1, "form defined twice (Id is used!)"},
      {"#FormFlags 1", 1, "#FORMFLAGS without #DefineForm"},
      {form + "\n#FormInput 1 0 1", 2, "unexpected end of file in #FORMINPUT"},
      {form + "#FormLeft 1 256", 1, "value out of range in #FORMLEFT 256"},
      {form + "#FormElements #FormElementProgram 2", 1, "bad element number in#FORMELEMENTPROGRAM"},
      {form + "#FormElementProgram 0", 1, "#FORMELEMENTPROGRAM without #FormElements"},
      {form + "#FormElements\n#FormElementProgram", 2,
       "unexpected end of file in #FORMELEMENTPROGRAM"},
      // Each form's element programs go to its own element table.
      {"#FormTable 0 1 #END #DefineForm 0 2 #FormElements #DefineForm 1 2 #FormElementProgram 0", 1,
       "#FORMELEMENTPROGRAM without #FormElements"},
      // A part 256 steps or more after its form's header cannot be reached.
      {form + Filler(248) + "#FormMainProgram", 2, kFar + "#FORMMAINPROGRAM"},
      {form + "#FormElements" + Filler(246) + "#FormElementProgram 1", 2,
       kFar + "#FORMELEMENTPROGRAM 1"},
  });
}

}  // namespace
}  // namespace calvern
