// End-to-end: zone and data directives, read back from the MKP, MKB and MKD files and the
// listing.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "compiled_image.h"

namespace calvern_test {
namespace {

const std::string kRule = "-------------------------";

std::string Hex(unsigned char byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

// The MKB file as its runs of non-zero bytes, each "address: hh hh ..."; with the size check
// this determines every byte, since unused cells are written as 0.
std::string BinaryText(const std::string& mkb) {
  if (mkb.empty()) return "(no MKB file)";
  std::string text = mkb.size() == 4096 ? "" : "(" + std::to_string(mkb.size()) + " bytes)";
  for (std::size_t i = 0; i < mkb.size(); ++i) {
    if (mkb[i] == 0) continue;
    text += (text.empty() ? "" : "; ") + std::to_string(1000 + i) + ":";
    for (; i < mkb.size() && mkb[i] != 0; ++i) text += " " + Hex(mkb[i]);
  }
  return text;
}

// The MKD file as its non-zero registers, each "r<n>: " and its eight bytes.
std::string DecimalText(const std::string& mkd) {
  if (mkd.empty()) return "(no MKD file)";
  std::string text = mkd.size() == 8000 ? "" : "(" + std::to_string(mkd.size()) + " bytes)";
  for (std::size_t r = 0; r * 8 < mkd.size(); ++r) {
    std::string value = mkd.substr(r * 8, 8);
    if (value == std::string(8, '\0')) continue;
    text += (text.empty() ? "r" : "; r") + std::to_string(r) + ":";
    for (char byte : value) text += " " + Hex(byte);
  }
  return text;
}

struct ZoneCase {
  std::string source;
  std::string program;  // as for ExpectedMkp
  std::string binary = "(no MKB file)";
  std::string decimal = "(no MKD file)";
};

void ExpectZones(const std::vector<ZoneCase>& cases) {
  for (const ZoneCase& c : cases) {
    SCOPED_TRACE(c.source.substr(0, 120));
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
    EXPECT_EQ(Rendered(dir.Read("prog.MKP")), Rendered(ExpectedMkp(c.program)));
    EXPECT_EQ(BinaryText(dir.Read("prog.MKB")), c.binary);
    EXPECT_EQ(DecimalText(dir.Read("prog.MKD")), c.decimal);
  }
}

void ExpectReports(const std::vector<std::pair<std::string, std::string>>& cases) {
  for (const auto& [source, report] : cases) {
    SCOPED_TRACE(source.substr(0, 120));
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, source);
    EXPECT_EQ(run.exitCode, 10);
    EXPECT_EQ(run.errorOutput, CompilationReport(report));
    EXPECT_FALSE(dir.Exists("prog.MKP"));
    EXPECT_FALSE(dir.Exists("prog.MKB"));
  }
}

// Data goes to the current zone; instructions always go to the program zone, whose step counter
// the binary zone leaves alone.
TEST(DataDirectives, ZonesAndBlocks) {
  ExpectZones({
      {"ENT #BINARY #DB 1 2 #END RTN #DB 3 #END #PROGRAM #DB 4 #END", "0E 52 04*",
       "1000: 01 02 03"},
      {"ENT #BINARY", "0E", ""},
      {"#BLOCK 3 ENT", "[block 3] 0E"},
      {"#BINARY #BLOCK 3 #DB 9 #END", "-", "1192: 09"},
      {"ENT #BINARY #BLOCK 5 #DB 1 #END #PROGRAM RTN", "0E 52", "1320: 01"},
      {"#BINARY #NUM 57 #DB 5 #END", "05 07", "1000: 05"},
      {"#BINARY #BLOCK 63 #INITB 64 7", "-", "5032:" + Times(" 07", 64)},
      {"#BLOCK 99 #INITB 100 1", "[block 99] " + Times("01* ", 100)},
  });
}

// Each register holds its sign, twelve BCD digits and a two's-complement exponent, taken
// exactly from the text: further digits are dropped, not rounded.
TEST(DataDirectives, DecimalRegisters) {
  ExpectZones({
      {"#DECIMAL 10 3.14 > -25 #program ENT", "0E", "(no MKB file)",
       "r10: 00 31 40 00 00 00 00 00; r11: 80 25 00 00 00 00 00 01"},
      {"#DECIMAL 0 0 1 0.5 2 0.3 3 1E-5 4 123456789012345 5 -0.5 6 9.99E99 7 1E-99\r\n"
       "8 9.9999999999999 9 0.000123 A -1.5E3 F 100 999 -1\r\n",
       "-", "(no MKB file)",
       "r1: 00 50 00 00 00 00 00 FF; r2: 00 30 00 00 00 00 00 FF; r3: 00 10 00 00 00 00 00 FB; "
       "r4: 00 12 34 56 78 90 12 0E; r5: 80 50 00 00 00 00 00 FF; r6: 00 99 90 00 00 00 00 63; "
       "r7: 00 10 00 00 00 00 00 9D; r8: 00 99 99 99 99 99 99 00; r9: 00 12 30 00 00 00 00 FC; "
       "r10: 80 15 00 00 00 00 00 03; r15: 00 10 00 00 00 00 00 02; "
       "r999: 80 10 00 00 00 00 00 00"},
      {"#DECIMAL > 7 > 8", "-", "(no MKB file)",
       "r1: 00 70 00 00 00 00 00 00; r2: 00 80 00 00 00 00 00 00"},
      {"#reg 12 rate\r\n#DECIMAL rate 2", "-", "(no MKB file)", "r12: 00 20 00 00 00 00 00 00"},
      {"#DECIMAL 5 1 #BINARY #DB 9 #END", "-", "1000: 09", "r5: 00 10 00 00 00 00 00 00"},
  });
}

// All three zones in one source: the files and the listing sections, whole.
TEST(DataDirectives, FilesAndListingOfAllThreeZones) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir,
                                     "ENT\r\n#TEXT0 \"Hi\"\r\n#BINARY\r\n#BLOCK 1\r\n"
                                     "tbl: #DW 1000 #END\r\n#PROGRAM\r\n#DAL tbl #END\r\n"
                                     "#DECIMAL 4 0.5 3 -25 0 0\r\n");
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_EQ(Rendered(dir.Read("prog.MKP")), Rendered(ExpectedMkp("0E 48* 69* 00* 40*")));
  EXPECT_EQ(BinaryText(dir.Read("prog.MKB")), "1064: 03 E8");
  EXPECT_EQ(DecimalText(dir.Read("prog.MKD")),
            "r3: 80 25 00 00 00 00 00 01; r4: 00 50 00 00 00 00 00 FF");
  EXPECT_EQ(ListingLines(dir.Read("prog.LST")),
            (std::vector<std::string>{"     PROGAM ZONE",
                                      "  Step  | Code | Keys",
                                      kRule,
                                      StepLine(0, "0E", "ENT "),
                                      StepLine(1, "48", "\"H\""),
                                      StepLine(2, "69", "\"i\""),
                                      StepLine(3, "00", "nul"),
                                      StepLine(4, "40", "AL(64)"),
                                      "",
                                      "     BINARY ZONE",
                                      "  Step  | Code | Comment",
                                      kRule,
                                      "",
                                      StepLine(1064, "03", "WORD"),
                                      StepLine(1065, "E8", " "),
                                      "",
                                      "     DECIMAL ZONE",
                                      "   Reg  |  Value",
                                      kRule,
                                      "  0000  |  0",
                                      "  0003  |  -25",
                                      "  0004  |  0.5",
                                      kRule,
                                      "",
                                      "  Addr  |  Name",
                                      kRule,
                                      "B 1064  |  TBL",
                                      kRule,
                                      "",
                                      "--     END OF FILE     --"}));
}

// Quoted texts are read character by character, so ";", "=" and "@" inside them are text.
TEST(DataDirectives, TextsAndFileNames) {
  ExpectZones({
      {"#TEXT \"AB\"", "41* 42*"},
      {"#TEXT0 \"AB\"", "41* 42* 00*"},
      {"#TEXTN \"AB\"", "0A* 41* 42* 00*"},
      {"#text\r\n  \"A b\" ENT", "41* 20* 62* 0E"},
      {"#TEXT \"a;=@\" #TEXT \"\" ENT", "61* 3B* 3D* 40* 0E"},
      {"#BINARY #TEXTN \"Z\"", "-", "1000: 0A 5A"},
      {"#FILENAME \"DATA\"", "44* 41* 54* 41* " + Times("20* ", 16)},
      {"#FILENAME \"ABCDEFGHIJKLMNOPQRST\"",
       "41* 42* 43* 44* 45* 46* 47* 48* 49* 4A* 4B* 4C* 4D* 4E* 4F* 50* 51* 52* 53* 54*"},
      {"#FILENAMEID \"X\" 255", "58* " + Times("20* ", 19) + "FF*"},
  });
  std::vector<std::string> expected = {StepLine(0, "0A", "newline"), StepLine(1, "41", "\"A\""),
                                       StepLine(2, "00", "nul"), StepLine(3, "42", "\"B\"")};
  for (int step = 4; step < 23; ++step) expected.push_back(StepLine(step, "20", "\" \""));
  expected.push_back(StepLine(23, "07", "FileID"));
  EXPECT_EQ(ProgramLines("#TEXTN \"A\" #FILENAMEID \"B\" 7"), expected);
}

TEST(DataDirectives, ByteWordAndLongTables) {
  ExpectZones({
      {"#DB 1 255 0 #END", "01* FF* 00*"},
      {"#db 12 #end ENT", "0C* 0E"},
      {"#DW 1000 65535 #END", "03* E8* FF* FF*"},
      {"#DL 1 4294967295 #END", "00* 00* 00* 01* FF* FF* FF* FF*"},
      {"#DWK 5 300 254 1 #END", "05* 01* 2C* FE* 00* 01* FF*"},
      {"#DWK #END ENT", "FF* 0E"},
      {"#INITB 3 7", "07* 07* 07*"},
      {"#INITW 2 258", "01* 02* 01* 02*"},
      {"#INITL 1 65536", "00* 01* 00* 00*"},
      {"#BINARY #DW 1 #END #INITW 1 772 #PROGRAM ENT", "0E", "1001: 01 03 04"},
  });
  EXPECT_EQ(ProgramLines("#DB 7 #END #DW 1000 #END #DL 1 #END #DWK 5 300 #END"),
            (std::vector<std::string>{
                StepLine(0, "07", "byte"), StepLine(1, "03", "WORD"), StepLine(2, "E8", " "),
                StepLine(3, "00", "LONG"), StepLine(4, "00", " "), StepLine(5, "00", " "),
                StepLine(6, "01", " "), StepLine(7, "05", "KEY"), StepLine(8, "01", "WORD"),
                StepLine(9, "2C", " "), StepLine(10, "FF", "END")}));
}

// #NUM writes keystrokes: a register operand gives its number, anything else its address;
// a label not yet defined reserves digits that its definition fills, zero-padded.
TEST(DataDirectives, NumberDirectives) {
  ExpectZones({
      {"#NUM 57", "05 07"},
      {"#NUM 12345", "01 02 03 04 05"},
      {"#NUM 0", "00"},
      {"A: ENT #NUM A", "0E 01 00"},
      {"#reg 5 count\r\n#NUM count", "05"},
      {Times("ENT ", 57) + "here: #NUM here", Times("0E ", 57) + "05 07"},
      {"#NUM2 there " + Times("ENT ", 7) + "there:", "00 09 " + Times("0E ", 7)},
      {"#NUM there ENT there:", "00 00 00 05 0E"},
      {"#NUM3 there #BLOCK 1 there:", "01 00 00"},
      {"#NUM1 there ENT there:", "02 0E"},
      {"#OPTIM 0 #NUM2 there ENT there:", "00 00 00 05 0E"},
      {"#BINARY #BLOCK 2 tbl: #PROGRAM #NUM tbl", "01 01 02 08", ""},
      {"#NUM tbl #BINARY #BLOCK 2 tbl:", "01 01 02 08", ""},
  });
  EXPECT_EQ(ProgramLines("#NUM2 there there:"),
            (std::vector<std::string>{StepLine(0, "00", "0"), StepLine(1, "02", "2")}));
}

// Address tables give the address's low digits, its two BCD bytes or its distance from #BASE;
// a binary-zone label counts by its binary address.
TEST(DataDirectives, AddressTables) {
  ExpectZones({
      {"#DAL 1234 5 #END", "22* 05*"},
      {"#DAF 1234 #END", "12* 34*"},
      {"#DAFK 5 1234 #END", "05* 12* 34* FF*"},
      {"#BASE #DAL there #END #DAF there #END #DAFK 7 there #END #OFFSET there #END " +
           Times("ENT ", 49) + "there:",
       "39* 00* 57* 07* 00* 57* FF* 39* " + Times("0E ", 49)},
      {"ENT ENT #BASE #OFFSET there #END " + Times("ENT ", 69) + "there:",
       "0E 0E 46* " + Times("0E ", 69)},
      {"back: ENT ENT #BASE #OFFSET back 5 #END", "0E 0E FE* 03*"},
      {"#BINARY #BASE #BLOCK 1 tbl: #DB 0 #END #PROGRAM #OFFSET tbl #END #DAL tbl #END "
       "#DAF tbl #END",
       "40* 40* 10* 64*", ""},
      {"#BINARY #BASE #PROGRAM #OFFSET tbl #END #DAF tbl #END #BINARY #BLOCK 1 tbl:", "40* 10* 64*",
       ""},
      {"#BINARY #DAF 1234 #END #DAL x #END x:", "-", "1000: 12 34 03"},
  });
  EXPECT_EQ(ProgramLines("#BASE #DAL 1234 there #END #DAF 1234 there #END #OFFSET 3 there #END "
                         "there:"),
            (std::vector<std::string>{StepLine(0, "22", "AL(34)"), StepLine(1, "08", "AL(8)"),
                                      StepLine(2, "12", "AH(1234)"), StepLine(3, "34", "AL"),
                                      StepLine(4, "00", "AH(0)"), StepLine(5, "08", "AL"),
                                      StepLine(6, "03", "OF(3)"), StepLine(7, "08", "OF(8)")}));
}

TEST(DataDirectives, ZoneErrors) {
  ExpectReports({
      {"#BLOCK 100", "ERROR at line 1    Bad value in #BLOCK 100 "},
      {"#BLOCK -1", "ERROR at line 1    Bad value in #BLOCK -1 "},
      {"#BINARY\r\n#BLOCK 64\r\n", "ERROR at line 2    Bad value in #BLOCK 64 "},
      {"#BINARY #BLOCK 63 #INITB 65 7",
       "ERROR at line 1    binary zone full: the binary pointer passed 5095 "},
      {"#BINARY #BLOCK 63\r\n#INITL 16 1\r\n#DB 1 #END\r\n",
       "ERROR at line 3    binary zone full: the binary pointer passed 5095 "},
      {"#BLOCK 99 #INITB 101 1",
       "ERROR at line 1    program zone full: the step counter passed 9999 "},
      {"#BLOCK 99 #INITB 99 1 #DW 1 #END",
       "ERROR at line 1    program zone full: the step counter passed 9999 "},
      {"#DECIMAL (5) 1", "ERROR at line 1    unavailable indirect addressing (5) "},
      {"#DECIMAL 1000 1", "ERROR at line 1    decimal zone register outside 0-999: 1000 "},
      {"#DECIMAL 999 1 > 2", "ERROR at line 1    decimal zone register outside 0-999: 1000 "},
      {"#DECIMAL foo 1", "ERROR at line 1    unknown register FOO "},
      {"#DECIMAL\r\n1 2\r\n3\r\n", "ERROR at line 1    unexpected end of file in #DECIMAL "},
      {"#DECIMAL 1 1E100",
       "ERROR at line 1    value outside the calculator's range (exponent -99..99): 1E100 "},
      {"#DECIMAL 1 -1E-100",
       "ERROR at line 1    value outside the calculator's range (exponent -99..99): -1E-100 "},
  });
}

TEST(DataDirectives, TextErrors) {
  ExpectReports({
      {"#TEXT AB", "ERROR at line 1    Invalid string in #TEXT "},
      {"ENT\r\n#TEXT0 AB\r\n", "ERROR at line 2    Invalid string in #TEXT0 "},
      {"#TEXTN", "ERROR at line 1    Invalid string in #TEXTN "},
      {"#TEXT \"AB\r\nC\"", "ERROR at line 1    String not closed in #TEXT "},
      {"#TEXT0 \"A\xE9\"", "ERROR at line 1    String not closed in #TEXT0 "},
      {"ENT\r\n#TEXTN \"AB", "ERROR at line 2    unexpected end of file in #TEXTN "},
      {"#FILENAME DATA", "ERROR at line 1    Invalid string in #FILENAME "},
      {"#FILENAME \"ABCDEFGHIJKLMNOPQRSTU\"",
       "ERROR at line 1    Filename can't exceed 20 characters! "},
      {"#FILENAMEID \" DATA\" 1", "ERROR at line 1    Filename can't start with a space! "},
      {"#FILENAMEID \"X\"\r\n", "ERROR at line 1    Not enough parameters in #FILENAMEID "},
      {"#FILENAMEID \"X\" 256", "ERROR at line 1    value out of range in #FILENAMEID 256 "},
  });
}

TEST(DataDirectives, TableErrors) {
  ExpectReports({
      {"#DB 1 2", "ERROR at line 1    unexpected end of file in #DB "},
      {"#DW 1\r\n", "ERROR at line 1    unexpected end of file in #DW "},
      {"#DL", "ERROR at line 1    unexpected end of file in #DL "},
      {"#DWK 5", "ERROR at line 1    unexpected end of file in #DWK "},
      {"#DAL 1", "ERROR at line 1    unexpected end of file in #DAL "},
      {"#DAFK 5", "ERROR at line 1    unexpected end of file in #DAFK "},
      {"#OFFSET", "ERROR at line 1    unexpected end of file in #OFFSET "},
      {"#INITB 3", "ERROR at line 1    unexpected end of file in #INITB/W/L "},
      {"#INITW", "ERROR at line 1    unexpected end of file in #INITB/W/L "},
      {"#INITB 0 5", "ERROR at line 1    at least one iteration expected in #INITB/W/L "},
      {"#INITL -2 5", "ERROR at line 1    at least one iteration expected in #INITB/W/L "},
      {"ENT\r\n#DB 1\r\n2 256 #END\r\n", "ERROR at line 3    value out of range in #DB 256 "},
      {"#db -1 #END", "ERROR at line 1    value out of range in #DB -1 "},
      {"#DW 65536 #END", "ERROR at line 1    value out of range in #DW 65536 "},
      {"#DL 4294967296 #END", "ERROR at line 1    value out of range in #DL 4294967296 "},
      {"#DWK 255 1 #END", "ERROR at line 1    value out of range in #DWK 255 "},
      {"#DWK 1 65536 #END", "ERROR at line 1    value out of range in #DWK 65536 "},
      {"#DAFK 255 1 #END", "ERROR at line 1    value out of range in #DAFK 255 "},
      {"#INITB 2 256", "ERROR at line 1    value out of range in #INITB 256 "},
      {"#INITW 1 65536", "ERROR at line 1    value out of range in #INITW 65536 "},
      {"#INITL 1 4294967296", "ERROR at line 1    value out of range in #INITL 4294967296 "},
      {"#DAL (5) #END", "ERROR at line 1    unavailable indirect addressing (5) "},
      {"#NUM (5)", "ERROR at line 1    unavailable indirect addressing (5) "},
      {"#NUM\r\n", "ERROR at line 1    unexpected end of file ! "},
  });
}

}  // namespace
}  // namespace calvern_test
