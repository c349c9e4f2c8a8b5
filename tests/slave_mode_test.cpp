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

}  // namespace
}  // namespace calvern_test
