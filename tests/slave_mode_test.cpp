// End-to-end: the built program driven through slave-mode info files.
#include <gtest/gtest.h>

#include "slave_run.h"

namespace calvern_test {
namespace {

TEST(SlaveMode, CompilesAProgramAndWritesListingAndMkp) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, "$20 ENT 3 + STO 5\r\n");
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  std::vector<std::string> lines = ListingLines(dir.Read("prog.LST"));
  std::vector<std::string> expected = {"     PROGAM ZONE",
                                       "  Step  | Code | Keys",
                                       "-------------------------",
                                       "  0000  |  02  | 2",
                                       "  0001  |  00  | 0",
                                       "  0002  |  0E  | ENT ",
                                       "  0003  |  03  | 3 ",
                                       "  0004  |  10  | + ",
                                       "  0005  |  45  | M 5",
                                       "-------------------------",
                                       "",
                                       "--     END OF FILE     --"};
  EXPECT_EQ(lines, expected);
}

// Names with letters beyond ASCII (UTF-8 in the info file, UTF-16 for Windows) reach every file:
// the info file, the source, the listing and the MK file; an error names its line all the same.
TEST(SlaveMode, FileNamesWithCyrillicLetters) {
  TempDir dir;
  const std::string name = "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3";  // "Прог"
  const std::vector<std::string> info = {dir.File(name + ".txt"), dir.File(name + ".LST"), "2",
                                         dir.File(name + ".")};
  dir.Write(name + ".txt", "$20 ENT\r\n");
  RunResult run = RunInfoFile(dir, info);
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  std::vector<std::string> lines = ListingLines(dir.Read(name + ".LST"));
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ(lines[3], "  0000  |  02  | 2");
  EXPECT_TRUE(dir.Exists(name + ".MKP"));

  dir.Write(name + ".txt", "ENT\r\nNOSUCH\r\n");
  run = RunInfoFile(dir, info);
  ExpectResultCode(run, 2 * 256 + 10);
  EXPECT_EQ(run.errorOutput, CompilationReport("ERROR at line 2    unknown instruction NOSUCH "));
}

}  // namespace
}  // namespace calvern_test
