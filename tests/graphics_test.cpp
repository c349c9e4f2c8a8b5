// End-to-end: #LOADIMAGE through the built program finds a picture beside the source when its
// name, with or without a directory, does not lead to it from the current directory.
#include <gtest/gtest.h>

#include "compiled_image.h"

namespace calvern_test {
namespace {

const std::string kIcon = std::string(CALVERN_EXAMPLES_DIR) + "/menu_icon.png";

// Compiles dir/src/prog.txt in slave mode, run from dir itself.
RunResult CompileBesidePicture(const TempDir& dir, const std::string& source) {
  fs::create_directories(dir.path() / "src");
  fs::copy_file(kIcon, dir.path() / "src" / "menu_icon.png");
  dir.Write("src/prog.txt", source);
  const std::string info = dir.File("src/prog.txt") + "\r\n" + dir.File("prog.LST") + "\r\n2\r\n" +
                           dir.File("prog.") + "\r\n\r\nCOM1,255\r\n\r\n";
  dir.Write("job.inf", info);
  return RunCalvern(dir, {dir.File("job.inf")});
}

TEST(GraphicsEndToEnd, PicturesAreFoundBesideTheSource) {
  // The icon is 24 x 24 dots: width and height bytes 18 18, then 3 bytes per column; its frame's
  // left edge, rows 2-21 of the third column, is FC FF 3F.
  for (const char* name :
       {"menu_icon.png", "pictures/old/menu_icon.png", "C:\\Calc\\menu_icon.png"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    RunResult run = CompileBesidePicture(dir, "#LOADIMAGE 0 \"" + std::string(name) + "\"\n");
    ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
    const std::string steps = Rendered(dir.Read("prog.MKP"));
    EXPECT_EQ(steps.substr(0, 33), "[block 0] 18* 18* 00* 00* 00* 00*");
    EXPECT_EQ(steps.substr(41, 12), " FC* FF* 3F*");
    EXPECT_TRUE(steps.ends_with(" +26 unused")) << steps;  // 74 steps
  }
  TempDir dir;
  RunResult run = CompileBesidePicture(dir, "ENT\n#LOADIMAGE 0 \"logo.png\"\n");
  EXPECT_EQ(run.exitCode, 10);
  EXPECT_EQ(run.errorOutput,
            CompilationReport("ERROR at line 2    Can't load image! logo.png: no such file "));
}

TEST(GraphicsEndToEnd, GraphicsExampleCompiles) {
  TempDir dir;  // not the examples' directory: the icon is found beside the source
  const std::string info = std::string(CALVERN_EXAMPLES_DIR) + "/graphics_demo.txt\r\n" +
                           dir.File("demo.LST") + "\r\n2\r\n\r\n\r\nCOM1,255\r\n\r\n";
  dir.Write("job.inf", info);
  RunResult run = RunCalvern(dir, {dir.File("job.inf")});
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
  const std::vector<std::string> lines = ListingLines(dir.Read("demo.LST"));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "  1010  |  18  | Width"), lines.end());
}

}  // namespace
}  // namespace calvern_test
