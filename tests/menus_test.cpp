// End-to-end: menu-driven programs compiled in slave mode. The listing of a whole menu program
// is compared with the expected file kept beside this test.
#include <gtest/gtest.h>

#include "slave_run.h"

namespace calvern_test {
namespace {

std::string SourceFile(const std::string& path) {
  std::ifstream in(fs::path(CALVERN_SOURCE_DIR) / path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// One menu (a title, an action, a check box) with its main loop: the loop's structures, the
// form table and form, the texts, the check box routine and the action table.
TEST(Menus, WholeProgramListing) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, SourceFile("tests/data/menu_program.txt"), false);
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_EQ(run.errorOutput, "");
  EXPECT_EQ(dir.Read("prog.LST"), SourceFile("tests/data/menu_program.LST"));
}

// The bundled example, with its icon picture beside it, compiles without a warning.
TEST(Menus, ExampleCompiles) {
  TempDir dir;
  fs::copy_file(fs::path(CALVERN_SOURCE_DIR) / "examples" / "menu_icon.png",
                dir.path() / "menu_icon.png");
  RunResult run = CompileInSlaveMode(dir, SourceFile("examples/menu_demo.txt"));
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_EQ(run.errorOutput, "");
  EXPECT_TRUE(dir.Exists("prog.MKP"));
}

// What slave mode reports: a tall menu's warning (the program is compiled), an error inside
// the compiled menus at the line of #MENUMAINLOOP, and SELECT mixed with menus.
TEST(Menus, Reports) {
  struct Case {
    std::string source;
    int exitCode;
    std::string errorOutput;
  } cases[] = {
      {"#MENU\r\n#BLANK 57\r\n#ACTION \"a\" x\r\n#ENDMENU\r\nx: RTN\r\n#MENUMAINLOOP 5\r\n", 0,
       "Compilation: WARNING: menu 0 uses 65 lines (>64), line 4\n"},
      {"#MENU\r\n#ACTION \"a\" nowhere\r\n#ENDMENU\r\n\r\n#MENUMAINLOOP 5\r\n", 10,
       CompilationReport("Error: unresolved reference NOWHERE, line 5  ")},
      {"SELECT 5 CASE= $1 ENDSELECT\r\n#MENU #ACTION \"a\" x #ENDMENU\r\nSELECT 6 DEFAULT "
       "ENDSELECT\r\nx: RTN #MENUMAINLOOP 7\r\n",
       0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.errorOutput, c.errorOutput);
  }
}

}  // namespace
}  // namespace calvern_test
