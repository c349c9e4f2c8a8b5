// End-to-end: the compile fuzzer's seeds of menus, forms and pictures compile, as the built
// program reads them (the picture after the separator line beside the source), so that fuzzing
// starts from programs that reach the menu generator, the form tables and every decoder.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "slave_run.h"

namespace calvern_test {
namespace {

TEST(FuzzSeeds, MenuFormAndPictureSeedsCompile) {
  const std::string separator = "\n;PICTURE FILE FOLLOWS\n";
  int seeds = 0;
  int pictures = 0;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::path(CALVERN_SOURCE_DIR) / "fuzz" / "seeds" / "compile")) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("menu-") && !name.starts_with("form-")) continue;
    SCOPED_TRACE(name);
    ++seeds;
    TempDir dir;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string seed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t cut = seed.find(separator);
    if (cut != std::string::npos) {
      ++pictures;
      dir.Write("picture", seed.substr(cut + separator.size()));
      seed.resize(cut + 1);
    }
    dir.Write("prog.txt", seed);
    RunResult run = RunCalvern(dir, {"prog.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
    // Every seed lays out at least one form: its header's first byte is listed as "Size".
    EXPECT_NE(dir.Read("prog.LST").find("| Size"), std::string::npos) << "no form";
  }
  EXPECT_GE(seeds, 9);
  EXPECT_GE(pictures, 6);
}

}  // namespace
}  // namespace calvern_test
