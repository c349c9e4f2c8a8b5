// End-to-end: sources that are wrong are refused at the line that is wrong, never compiled to a
// program that does something else or to nothing at all; the texts say what is wrong.
#include <gtest/gtest.h>

#include "compiled_image.h"

namespace calvern_test {
namespace {

struct Refusal {
  std::string source;
  std::string diagnostic;  // standard error after "prog.txt:"
};

// `calvern prog.txt` refuses each source: exit 1, its one diagnostic, an empty listing and no
// MK file (every source asks for them).
void ExpectRefused(const std::vector<Refusal>& cases) {
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.source.substr(0, 120));
    TempDir dir;
    dir.Write("prog.txt", "#MKFiles 2\n" + c.source);
    RunResult run = RunCalvern(dir, {"prog.txt"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errorOutput, "prog.txt:" + c.diagnostic + "\n");
    EXPECT_EQ(dir.Read("prog.LST"), "");
    EXPECT_FALSE(dir.Exists("prog.MKP"));
  }
}

struct Program {
  std::string source;
  std::string steps;  // as for ExpectedMkp
};

void ExpectPrograms(const std::vector<Program>& cases) {
  for (const Program& c : cases) {
    SCOPED_TRACE(c.source.substr(0, 120));
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
    EXPECT_EQ(Rendered(dir.Read("prog.MKP")), Rendered(ExpectedMkp(c.steps)));
  }
}

// The line numbers below count the "#MKFiles 2" line that ExpectRefused puts first.
const std::string kMenu = "#MENU\n#ACTION \"a\" go\n";

// A menu or a rectangle left open is named at the line that opened it.
TEST(WrongSources, MenusAndRectanglesLeftOpen) {
  ExpectRefused({
      {"#MENU\n#STRING 0 \"a\"", "2:1: error: #ENDMENU missing after #MENU"},
      {"ENT\n  #MENUESCL 0\n#ACTION \"a\" go\n", "3:3: error: #ENDMENU missing after #MENUESCL"},
      {kMenu + " #STARTRECT\n#STRING 0 \"b\"\n#ENDMENU\n",
       "4:2: error: #ENDRECT missing after #STARTRECT"},
      {kMenu + "#STARTRECT\n#STRING 0 \"b\"\n#STARTRECT\n#ENDRECT\n",
       "4:1: error: #ENDRECT missing after #STARTRECT"},
      // A menu left open is reported before a label it waits for.
      {"GOTO go\n" + kMenu, "3:1: error: #ENDMENU missing after #MENU"},
  });
}

// #MKFiles takes 0, 1 or 2 and #FirstLine a line number that can be reported; #OPTIM and
// #LabelList read any value but 0 as on.
TEST(WrongSources, SettingsTakeValuesThatMeanSomething) {
  const std::string mkFiles =
      "error: #MKFiles takes 0 (no MK files), 1 (ask for a file name) or 2 (under the MK base "
      "name): ";
  const std::string firstLine = "error: #FirstLine takes a line number from 0 to 8388607: ";
  ExpectRefused({
      {"#MKFiles 7\n", "2:10: " + mkFiles + "7"},
      {"ENT\n#MKFiles -1\n", "3:10: " + mkFiles + "-1"},
      {"#FirstLine -5\nfoo\n", "2:12: " + firstLine + "-5"},
      {"#FirstLine 99999999999999999999\n", "2:12: " + firstLine + "99999999999999999999"},
      {"#FirstLine 8388608\n", "2:12: " + firstLine + "8388608"},
      {"#FirstLine 8388600\nENT\nfoo\n", "8388603:1: error: unknown instruction FOO"},
      {"#FirstLine 0\nfoo\n", "2:1: error: unknown instruction FOO"},
  });
  ExpectPrograms({
      {"#OPTIM -3 !IF(x<0)THEN ENT ENDIF", "5C 03 0E"},
      {"#OPTIM 99999999999999999999 !IF(x<0)THEN ENT ENDIF", "5C 03 0E"},
      {"#OPTIM 0 !IF(x<0)THEN ENT ENDIF", "FC 00 04 0E"},
  });
  // Any value but 0 lists the internal labels, even one that fills no machine word.
  TempDir dir;
  dir.Write("prog.txt", "#LabelList 4294967296\nstart: IF(x<0)THEN ENT ENDIF\n");
  ASSERT_EQ(RunCalvern(dir, {"prog.txt"}).exitCode, 0);
  EXPECT_NE(dir.Read("prog.LST").find("lab1"), std::string::npos) << dir.Read("prog.LST");
}

// A sign belongs to a plain integer: a later CASE corrects X by the difference; compared with
// the register, "$+5" stays a bad number.
TEST(WrongSources, CaseConstantsWithASign) {
  ExpectPrograms({
      // RCL 7, 5, -, x<0 to the skip label; the body; GOTO the end; no correction (5 - 5).
      {"SELECT 7 CASE< $5 ENT CASE>= $+5 SIN ENDSELECT",
       "67 05 11 FC 00 10 0E F1 00 14 F9 00 14 1C"},
      // -5 - 5: X is corrected by adding 10.
      {"SELECT 7 CASE< $5 ENT CASE>= $-5 SIN ENDSELECT",
       "67 05 11 FC 00 10 0E F1 00 17 01 00 10 F9 00 17 1C"},
      // 3 - (-5): X is corrected by subtracting 8.
      {"SELECT 7 CASE= $-5 ENT CASE= $+3 SIN ENDSELECT",
       "67 05 0B 11 FE 00 11 0E F1 00 17 08 11 FE 00 17 1C"},
  });
  ExpectRefused({
      {"SELECT 7\nCASE>= $+5\n", "3:1: error: bad number$+5"},
      {"SELECT 7 CASE= @8 ENT\n  CASE< $+5 ENT ENDSELECT", "3:3: error: bad number$+5"},
  });
}

// Input that used to compile although it is wrong.
TEST(WrongSources, WrongInputIsAnError) {
  const std::string digits =
      "error: a number or address that begins with a digit must be all digits: ";
  const std::string noMenu = "error: link to a menu that does not exist: ";
  ExpectRefused({
      // A second ELSE would run both branches.
      {"@1 IF(x<0)THEN $1 ELSE $2 ELSE $3 ENDIF",
       "2:27: error: a second ELSE in the IF(test)THEN of line 2"},
      {"IF(x=0)THEN\n ENT\nELSE\n IF(x<0)THEN ENT ELSE RTN ENDIF\n ELSE RTN ENDIF\n",
       "6:2: error: a second ELSE in the IF(test)THEN of line 2"},
      {"GOTO 12abc", "2:6: " + digits + "12ABC"},
      {"GOTO 5;x", "2:6: " + digits + "5;X"},
      {"#NUM 1+2", "2:6: " + digits + "1+2"},
      {"#NUM 2X", "2:6: " + digits + "2X"},
      {"#DAL 10 12x #END", "2:9: " + digits + "12X"},
      {kMenu + "#LINK \"Go\" 5\n#ENDMENU\n#MENUMAINLOOP 7\ngo: RTN", "4:1: " + noMenu + "#LINK 5"},
      {"#MENUESCL 1\n#ACTION \"a\" go\n#ENDMENU\n#MENUMAINLOOP 7\ngo: RTN",
       "2:1: " + noMenu + "#MENUESCL 1"},
      {"pic: #DB 16 8 #END\n" + kMenu + "#ICON 0 pic\n#BLOCKL 1 0 0 8 8\n#ENDMENU\n" +
           "#MENUMAINLOOP 7\ngo: RTN",
       "6:1: " + noMenu + "#BLOCKL 1"},
  });
  // A register keeps its leading digits, and a link to a menu that exists compiles.
  ExpectPrograms({
      {"RCL 2X RCL 5;x #NUM 015 GOTO 0003", "62 65 01 05 51 03"},
  });
  TempDir dir;
  dir.Write("prog.txt",
            kMenu + "#LINK \"Go\" 1\n#ENDMENU\n" + kMenu + "#ENDMENU\n#MENUMAINLOOP 7\ngo: RTN");
  RunResult run = RunCalvern(dir, {"prog.txt"});
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
}

// Naming a register again compiles, with a warning naming the name that is lost.
TEST(WrongSources, RenamedRegisterWarns) {
  const std::string renamed =
      ": warning: #reg renames a register, its old name is no longer known: ";
  const struct {
    std::string source;
    std::string warnings;
  } cases[] = {
      {"#reg 20 TOTAL\n#reg 20 SUMME\n@SUMME\n", "prog.txt:2:9" + renamed + "TOTAL\n"},
      {"#reg 9001 MODE\n@MODE\n", "prog.txt:1:11" + renamed + "\\GMODE\n"},
      {"#reg 20 TOTAL\n#reg 20 total\n@TOTAL\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    TempDir dir;
    dir.Write("prog.txt", c.source);
    RunResult run = RunCalvern(dir, {"prog.txt"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errorOutput, c.warnings);
  }
}

// The texts say what is wrong, where it is wrong.
TEST(WrongSources, MessagesSayWhatIsWrong) {
  ExpectRefused({
      {"L0 $5", "2:4: error: an address is a label or a step number, not a $ number: $5"},
      {"#DAF $5 #END", "2:6: error: an address is a label or a step number, not a $ number: $5"},
      // A GOTO at the end of a line takes the next line's first word as its label.
      {"ENT\nENT GOTO\nCX\n\nENT\n", "3:5: error: label missing after GOTO"},
      {"L1\n  later\nENT\n", "2:1: error: label missing after L1"},
      {"ENT x=0 ENT\n", "2:5: error: label missing after X=0"},
      // On the same line a plain name is a label that was never defined.
      {"ENT\nGOTO later\n", "3: error: unresolved reference LATER"},
  });
  // A label may carry a keyword's name, and a jump may wait for it on the next line.
  ExpectPrograms({{"GOTO\nCX\nCX: ENT", "F1 00 03 0E"}});
}

}  // namespace
}  // namespace calvern_test
