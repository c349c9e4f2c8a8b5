// The menu generator's text: the lines it collects in the generated-lines buffer, compared
// whole, and the errors of menu directives with their texts and lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compilation.h"
#include "compiler/compile_testing.h"

namespace calvern {
namespace {

struct Generated {
  Texts lines;
  std::string error;  // status line 2 after an error, else empty
};

// Compiles `source` and gives buffer lines from..from + count - 1 as they stand afterwards.
Generated GeneratedLinesOf(const std::string& source, int from, int count) {
  CompileOptions options;
  Compilation c(source, options);
  CompileResult result = std::move(c).Run();
  Generated out;
  if (result.error) out.error = ErrorStatus(*result.error, MessageTable())[2];
  for (int n = from; n < from + count; ++n) out.lines.push_back(c.Source().Generated().Line(n));
  return out;
}

// The first menu of a program: a title and one action (lines 0-11: no main loop yet).
TEST(MenuGenerator, FirstMenuBlock) {
  Generated g =
      GeneratedLinesOf("#MENU\n#STRING 1 \"Title\"\n#ACTION \"Go\" go\n#ENDMENU\n", 0, 12);
  EXPECT_EQ(g.error, "");
  EXPECT_EQ(g.lines,
            (Texts{"", "__tform: #FormTable 0", "#DefineForm 0 1", "#FormFlags 13",
                   "#FormOutput >>", "#FormInput 0 0", "#FormRight >>", "#FormLeft 0",
                   "#FormMainProgram #TYPE 1 #TAB 8 0 #TXTP 16 __label0 #TYPE 0 #TAB 8 14 "
                   "#TXTP 16 __label1 #END",
                   "#FormElements #FormElementProgram 0 #TAB 8 13 __RV0: #SQU 3 112 10 #END",
                   " __label0: #TEXT0 \"Title\" __label1: #TEXT0 \"Go\"",
                   "__dum0: RTN __adr0: #DAF GO #END"}));
}

// Every kind of line in one menu whose Esc goes to menu 1; then a #MENUESCA menu with icons,
// free blocks and a matrix, whose check box shares the first menu's check mark.
const char kTwoMenus[] = R"(pic: #DB 24 12 #END
#BINARY bpic: #DB 30 20 #END #PROGRAM
#MENUESCL 1
#CSTRING 1 "Hi"
#HLINE
#BLANK 2
#LINK "Next" 1
#INPUTD "" -1 5
#VINPUTH "V" 40 6 after
#OUTPUTF 0 "F" 60 7 2 3
#CHECK "C" 8
#RADIO "A|B|C" 9
#STARTRECT
#PROGRESSBAR 10
#ENDRECT
#?STRING 0 "on" 11 "off"
#STRING 0 (12)
#ENDMENU
#MENUESCA
#CHECK "D" 13
#ICON 9 pic
#BLOCKA act 2 3 10 4
#BLOCKL 0 12 0 8 6
#ICON 6 bpic
#MATRIX 3 2
#BLOCKA act 0 0
#BLOCKA act 2 1
#ENDMENU
)";

TEST(MenuGenerator, EveryKindOfLine) {
  Generated g = GeneratedLinesOf(kTwoMenus, 1, 21);
  EXPECT_EQ(g.error, "");
  EXPECT_EQ(
      g.lines,
      (Texts{
          "__tform: #FormTable 0 1",
          "#DefineForm 0 5",
          "#FormFlags 21 21 29 29 29",
          "#FormOutput 1 0 1 0 1 0 1 0 1 0 #END",
          "#FormInput 1 0 254 0 253 0 0 3 0 4",
          "#FormRight 1 2 3 >>",
          "#FormLeft 4 0 1 2 3",
          "#FormMainProgram #TYPE 1 #TAB 53 0 #TXTP 16 __label0 #TAB 8 15 #SQU 3 112 1 #TYPE 0 "
          "#TAB 8 19 #TXTP 16 __label1 #TAB 8 27 #TAB 40 35 #PRHEX 16 6 #TAB 8 35 #TXTP 16 "
          "__label2 #TAB 60 43 #PRFORM 16 7 2 3 #TAB 8 43 #TXTP 16 __label3 #TAB 8 51 #TXTP 16 "
          "__label4 #JNEZ 8 __label6 #TAB 0 51 #TXTP 16 __label5 __label6: #TAB 21 60 #TXTP 16 "
          "__label8 #TAB 61 60 #TXTP 16 __label9 #TAB 101 60 #TXTP 16 __label10 #TAB 0 61 #LDX "
          "9 #SQU 3 40 6 #TAB 8 72 #SQU 3 112 8 #TAB 8 73 #LDX 10 #SQU 3 3 6 #TAB 5 70 #FRAME 3 "
          "118 12 #TAB 8 83 #JNEZ 11 __label13 #TXTP 16 __label12 #JM __label14 __label13: "
          "#TXTP 16 __label15 __label14: #TAB 8 91 #TXTK 16 12 #END",
          "#FormElements #FormElementProgram 0 #TAB 8 18 __RV0: #SQU 3 112 10 #END "
          "#FormElementProgram 1 #TAB 8 26 #LDADR 5 #JM __RV0 #FormElementProgram 2 #TAB 8 34 "
          "#LDADR 6 #JM __RV0 #FormElementProgram 3 #TAB 8 50 #JM __RV0 #FormElementProgram 4 "
          "#TAB 2 59 __RB0: #FRAME 3 124 10 #END",
          " __label0: #TEXT0 \"Hi\" __label1: #TEXT0 \"Next\" __label2: #TEXT0 \"V\" __label3: "
          "#TEXT0 \"F\" __label4: #TEXT0 \"C\" __label5: #TEXT0 \"\xFB\" __label7: @8 1 XOR =8 "
          "RTN __label8: #TEXT0 \"A\" __label9: #TEXT0 \"B\" __label10: #TEXT0 \"C\" __label11: "
          "@9 $40 - IF(x<0)THEN $84 ENDIF STO 9 RTN __label12: #TEXT0 \"on\" __label15: #TEXT0 "
          "\"off\"",
          "__dum0: RTN __adr0: #DAF __dum0 __dum0 AFTER __label7 __label11 #END",
          "#DefineForm 1 5",
          "#FormFlags 61 61 53 61 61",
          "#FormOutput >>",
          "#FormInput 1 0 1 1 0 0 1 3 1 4",
          "#FormRight 1 2 3 >>",
          "#FormLeft 4 0 1 2 3",
          "#FormMainProgram #TYPE 0 #TAB 8 1 #TXTP 16 __label16 #JNEZ 13 __label17 #TAB 0 0 "
          "#TXTP 16 __label5 __label17: #TAB 52 9 #DRAWP 16 PIC #TAB 98 21 #DRAWB 16 BPIC #END",
          "#FormElements #FormElementProgram 0 #TAB 8 0 __RV1: #SQU 3 112 10 #END "
          "#FormElementProgram 1 #TAB 54 12 #FRAME 3 10 4 #END #FormElementProgram 2 #TAB 64 9 "
          "#FRAME 3 8 6 #END #FormElementProgram 3 #TAB 98 21 __MAT1L3: #SQU 3 10 10 #END "
          "#FormElementProgram 4 #TAB 118 31 #JM __MAT1L3",
          " __label16: #TEXT0 \"D\" __label18: @13 1 XOR =13 RTN",
          "__dum1: RTN __adr1: #DAF __label18 ACT __dum1 ACT ACT #END",
      }));
}

// The four main loops: one menu or several, without or with a #MENUESCA menu. Line 0 holds
// the loop, line 1 the form table, and the line after the last block ends the text.
TEST(MenuGenerator, MainLoopTemplates) {
  const std::string start =
      " CX SET \\ACTIVEFORM SET \\ACTIVEELEMENT 1 SET \\FormEnable #NUM __TFORM SET \\FORMTABLE "
      "$64 DO SET \\FormCommand GET \\FormCommandStatus IF(x<>0)THEN ENT ENT 1 - x<>y 7 - * "
      "IF(x=0)THEN";
  const std::string escape = " GET \\FormCommand $32 - IF(x=0)THEN GOSUB EscapeAction ELSE";
  const std::string oneMenu =
      " #NUM __adr0 SET \\PPtr GET \\ActiveElement EXEC \\GetTableWordBCD =7 GOSUB (7)";
  const std::string severalMenus =
      " #NUM __jt SET \\PPtr GET \\ActiveForm EXEC \\GetTableWordBCD SET \\PPtr GET "
      "\\ActiveElement EXEC \\GetTableWordBCD =7 GOSUB (7)";
  const std::string end = " $64 ELSE REPEAT GET \\NextKey NOT UNTIL(x<>0) NOT ENDIF LOOP";
  const std::string table = " __jt: #DAF __adr0 __adr1 #END";
  const std::string menu = " #ACTION \"a\" EscapeAction #ENDMENU ";
  struct Case {
    std::string source;
    Texts lines;  // lines 0, 1 and 22
  } cases[] = {
      {"#MENU" + menu, {start + oneMenu + " ENDIF" + end, "__tform: #FormTable 0 #END", ""}},
      {"#MENUESCA" + menu,
       {start + escape + oneMenu + " ENDIF ENDIF" + end, "__tform: #FormTable 0 #END", ""}},
      {"#MENU" + menu + "#MENU" + menu,
       {start + severalMenus + " ENDIF" + end + table, "__tform: #FormTable 0 1 #END",
        "#ENDMENUINPUT"}},
      {"#MENU" + menu + "#MENUESCA" + menu,
       {start + escape + severalMenus + " ENDIF ENDIF" + end + table,
        "__tform: #FormTable 0 1 #END", "#ENDMENUINPUT"}},
  };
  for (const Case& c : cases) {
    Generated g = GeneratedLinesOf(c.source + "#MENUMAINLOOP 7 EscapeAction: RTN", 0, 23);
    EXPECT_EQ((Texts{g.lines[0], g.lines[1], g.lines[22]}), c.lines) << c.source;
  }
}

// SELECT and menu texts take their "__label" numbers from one counter without sharing one;
// a SELECT inside a menu writes its text after the collected block.
TEST(MenuGenerator, SerialNumbersStayUnique) {
  Generated g = GeneratedLinesOf(
      "SELECT 5 CASE= $1 ENDSELECT #MENU #ACTION \"a\" x SELECT 6 DEFAULT ENDSELECT "
      "#ACTION \"b\" y #ENDMENU x: y:",
      10, 3);
  EXPECT_EQ(g.error, "");
  EXPECT_EQ(g.lines, (Texts{" __label2: #TEXT0 \"a\" __label5: #TEXT0 \"b\"",
                            "__dum0: RTN __adr0: #DAF X Y #END", " __label4:"}));
}

// Generated text that generates again (#GOTOMENU naming #REDRAW) is read first and the rest
// of the interrupted line follows: the same steps as the text written out.
TEST(MenuGenerator, NestedGeneratedTextKeepsTheWaitingText) {
  TestCompiler nested;
  TestCompiler plain;
  ASSERT_EQ(nested.CompileText("#GOTOMENU #REDRAW 1 RTN"), 0) << nested.Status[2];
  ASSERT_EQ(plain.CompileText("1 SET \\ActiveElement $64 STO 9208 SET \\ActiveForm RTN"), 0);
  EXPECT_EQ(nested.CurrentStep(), plain.CurrentStep());
  EXPECT_EQ(nested.Codes(0, plain.CurrentStep()), plain.Codes(0, plain.CurrentStep()));
}

// A menu whose drawing ends below pixel line 64 is compiled with a warning naming it.
TEST(MenuGenerator, TallMenuWarning) {
  for (int blank : {56, 57}) {
    TestCompiler c;
    ASSERT_EQ(c.CompileText("#MENU\n#ACTION \"a\" x\n#ENDMENU\n#MENU\n#BLANK " +
                            std::to_string(blank) + "\n#ACTION \"b\" y\n#ENDMENU\n"),
              0);
    // "WARNING: menu 1 uses 65 lines (>64), line 7": the menu, its height and its #ENDMENU.
    Texts warnings;
    for (const Diagnostic& w : c.Result().warnings) {
      warnings.push_back(std::to_string(w.message) + " menu " + w.detail + " " +
                         std::to_string(w.menuLines) + " line " + std::to_string(w.line));
    }
    EXPECT_EQ(warnings, blank == 56 ? Texts{} : Texts{"41 menu 1 65 line 7"});
  }
}

struct ErrorCase {
  std::string source;
  std::string line1;
  std::string line2;
};

TEST(MenuGenerator, ErrorsWithTheirLines) {
  const std::string menu = "#MENU\n#ACTION \"a\" x\n";
  const std::string icon = "pic: #DB 20 10 #END\n" + menu + "#ICON 0 pic\n";
  std::string hundredMenus;
  for (int k = 0; k < 100; ++k) hundredMenus += menu + "#ENDMENU\n";
  const ErrorCase cases[] = {
      {menu + "#MENU", "ERROR at line 3", "   missing #ENDMENU before another #MENU!"},
      {"\n#ENDMENU", "ERROR at line 2", "   #ENDMENU without #MENU"},
      {"#STRING 0 \"x\"\n", "ERROR at line 1", "   #STRING without #MENU"},
      {"#BLOCKA x 1 2", "ERROR at line 1", "   #BLOCKA without #MENU"},
      {"#MENUESCL", "ERROR at line 1", "   unexpected end of file in #MENUESCL"},
      {menu + "#ICON 0 nowhere", "ERROR at line 3",
       "   Bad address in #ICON (it must be resolved)"},
      {menu + "#ICON 0 (5)", "ERROR at line 3", "   Bad address in #ICON (it must be resolved)"},
      {menu + "#ICON 0 500", "ERROR at line 3", "   Bad address in #ICON (it must be resolved)"},
      {menu + "#MATRIX 2 2", "ERROR at line 3", "   #MATRIX without #ICON"},
      {menu + "#BLOCKL 1 0 0", "ERROR at line 3", "   #BLOCKL without #ICON"},
      {icon + "#MATRIX 0 2", "ERROR at line 5",
       "   a matrix needs at least one column and one row in #MATRIX"},
      {icon + "#MATRIX 2 2\n#BLOCKA x 2 0", "ERROR at line 6",
       "   block outside the matrix in #BLOCKA 2 0"},
      {icon + "#BLOCKA x 1 2 3", "ERROR at line 5", "   Not enough parameters in #BLOCKA"},
      {"#GOTOMENU 1", "ERROR at line 1", "  unexpected end of file in #GOTOMENU"},
      {hundredMenus, "ERROR at line 298",
       "   more than 99 menus: the generated lines hold menus 0 to 98"},
      {"#MENUMAINLOOP 5", "ERROR at line 1", "   #MENUMAINLOOP without #MENU"},
      {menu + "#MENUMAINLOOP 5", "ERROR at line 3", "   #MENUMAINLOOP without #ENDMENU"},
      {"#MENU\n#ENDMENU", "ERROR at line 2",
       "   a menu needs at least one selectable line: menu 0"},
      {menu + "#?HLINE", "ERROR at line 3",
       "   the conditional form #? is not available in #HLINE"},
      {menu + "#ENDRECT", "ERROR at line 3", "   #ENDRECT without #STARTRECT"},
      {menu + "#BLANK 300\n#HLINE", "ERROR at line 4",
       "   drawing position outside 0-255 in #HLINE"},
      {menu + "#ACTION \"b\" #END", "ERROR at line 3", "   Bad value in #ACTION #END"},
      {menu + "#LINK \"b\" x", "ERROR at line 3", "   number expected in #LINK X"},
      {menu + "#LINK \"b\" 99", "ERROR at line 3", "   Bad value in #LINK 99"},
      {menu + "#RADIO (5) 4", "ERROR at line 3", "   Invalid string in #RADIO"},
  };
  for (const ErrorCase& e : cases) {
    TestCompiler c;
    EXPECT_EQ(c.CompileText(e.source), 1) << e.source;
    EXPECT_EQ(c.Status[1], e.line1) << e.source;
    EXPECT_EQ(c.Status[2], e.line2) << e.source;
  }
}

}  // namespace
}  // namespace calvern
