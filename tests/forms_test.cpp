// End-to-end: a form table with two forms, written with the form directives and form codes,
// read back from the listing and the MKP file.
#include <gtest/gtest.h>

#include "compiled_image.h"

namespace calvern_test {
namespace {

struct Step {
  int step;
  std::string code;
  std::string keys;
};

// Two forms of two and one elements; form 9 is listed but never defined. Form 1's output
// table shares the input table, and its right table ends in the left table's first byte.
const char* const kTwoForms =
    "#FormTable 1 2 9 #END\r\n"
    "#DefineForm 1 2\r\n"
    "#FormFlags 5 5\r\n"
    "#FormOutput >>\r\n"
    "#FormInput 1 0 1 1\r\n"
    "#FormRight 1 >>\r\n"
    "#FormLeft 1 0\r\n"
    "#FormMainProgram #TAB 8 3 #TXTP 16 hello #END\r\n"
    "#FormElements\r\n"
    "#FormElementProgram 0 #TAB 8 2 bar: #SQU 3 112 10 #END\r\n"
    "#FormElementProgram 1 #TAB 8 12 #JM bar\r\n"
    "#DefineForm 2 1\r\n"
    "#FormFlags 0\r\n"
    "#FormMainProgram #JNEZ 3 skip #TYPE 65 skip: #END\r\n"
    "hello: #TEXT0 \"Hi\"\r\n";

// clang-format off
const std::vector<Step> kTwoFormsSteps = {
    // The form table: id and header address of each form.
    {0, "01", "Id"}, {1, "00", "AH(10)"}, {2, "10", "AL"}, {3, "02", "Id"}, {4, "00", "AH(50)"},
    {5, "50", "AL"}, {6, "09", "Id"}, {7, "??", "Undef"}, {8, "??", "Undef"}, {9, "FF", "END"},
    // Form 1: size and offsets, then flags, input (= output), right, left.
    {10, "01", "Size"}, {11, "08", "OF(18)"}, {12, "0A", "OF(20)"}, {13, "0A", "OF(20)"},
    {14, "0F", "OF(25)"}, {15, "0E", "OF(24)"}, {16, "11", "OF(27)"}, {17, "19", "OF(35)"},
    {18, "05", "byte"}, {19, "05", "byte"}, {20, "01", "byte"}, {21, "00", "byte"},
    {22, "01", "byte"}, {23, "01", "byte"}, {24, "01", "byte"}, {25, "01", "byte"},
    {26, "00", "byte"},
    // Its main program, element table and element programs.
    {27, "60", "TAB"}, {28, "08", "byte"}, {29, "03", "byte"}, {30, "53", "TXTP"},
    {31, "10", "byte"}, {32, "00", "AH(0)"}, {33, "66", "AL"}, {34, "FF", "END"},
    {35, "1B", "OF(37)"}, {36, "23", "OF(45)"}, {37, "60", "TAB"}, {38, "08", "byte"},
    {39, "02", "byte"}, {40, "59", "SQU"}, {41, "03", "byte"}, {42, "70", "byte"},
    {43, "0A", "byte"}, {44, "FF", "END"}, {45, "60", "TAB"}, {46, "08", "byte"},
    {47, "0C", "byte"}, {48, "38", "JM"}, {49, "1E", "OF(40)"},
    // Form 2 declares only flags and a main program: the other offsets stay unused.
    {50, "00", "Size"}, {51, "08", "OF(58)"}, {56, "09", "OF(59)"}, {58, "00", "byte"},
    {59, "01", "JNEZ"}, {60, "00", "RH(3)"}, {61, "03", "RL"}, {62, "0F", "OF(65)"},
    {63, "65", "TYPE"}, {64, "41", "byte"}, {65, "FF", "END"}, {66, "48", "\"H\""},
    {67, "69", "\"i\""}, {68, "00", "nul"}};
// clang-format on

TEST(Forms, TwoFormsInTheListingAndTheMkpFile) {
  std::vector<std::string> lines;
  std::string mkp;
  int next = 0;
  for (const Step& s : kTwoFormsSteps) {
    if (s.step != next) lines.push_back("");  // the listing marks a gap with an empty line
    for (; next < s.step; ++next) mkp += " FF*";
    lines.push_back(StepLine(s.step, s.code, s.keys));
    mkp += " " + (s.code == "??" ? "00" : s.code) + "*";  // form data are data steps
    ++next;
  }
  EXPECT_EQ(ProgramLines(kTwoForms), lines);

  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, kTwoForms);
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_EQ(Rendered(dir.Read("prog.MKP")), Rendered(ExpectedMkp(mkp)));
}

}  // namespace
}  // namespace calvern_test
