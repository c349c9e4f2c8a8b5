// End-to-end: the MK image files written in slave mode, compared byte for byte.
#include <gtest/gtest.h>

#include "slave_run.h"

namespace calvern_test {
namespace {

// The expected MKP content: first block 0, the given instruction bytes (attribute 0), and the
// rest of the last block unused (FF with attribute 2).
std::string ProgramFile(const std::vector<unsigned char>& steps) {
  std::string bytes(1, '\0');
  for (unsigned char code : steps) {
    bytes += static_cast<char>(code);
    bytes += '\0';
  }
  const std::size_t blockEnd = (steps.size() + 99) / 100 * 100;
  for (std::size_t step = steps.size(); step < blockEnd; ++step) bytes += "\xFF\x02";
  return bytes;
}

TEST(MkFiles, ProgramOfSixStepsFillsOneBlock) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, "$20 ENT 3 + STO 5\r\n");
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  const std::string mkp = dir.Read("prog.MKP");
  ASSERT_EQ(mkp.size(), 201u);
  EXPECT_EQ(mkp, ProgramFile({0x02, 0x00, 0x0E, 0x03, 0x10, 0x45}));
}

TEST(MkFiles, ProgramCrossingIntoTheSecondBlockCoversTwoBlocks) {
  TempDir dir;
  std::string source;
  for (int step = 0; step < 101; ++step) source += "ENT ";
  RunResult run = CompileInSlaveMode(dir, source);
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  const std::string mkp = dir.Read("prog.MKP");
  ASSERT_EQ(mkp.size(), 401u);
  EXPECT_EQ(mkp, ProgramFile(std::vector<unsigned char>(101, 0x0E)));
}

// The largest program: every step of the hundred blocks used.
TEST(MkFiles, FullProgramZoneGivesAHundredBlocks) {
  TempDir dir;
  std::string source;
  for (int step = 0; step < 10000; ++step) source += "RTN\r\n";
  RunResult run = CompileInSlaveMode(dir, source);
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_EQ(dir.Read("prog.MKP"), ProgramFile(std::vector<unsigned char>(10000, 0x52)));
}

// Line 4 names the files: its extension, if the file part has one, gives way to MKP.
TEST(MkFiles, NamesComeFromTheBaseNameWithoutItsExtension) {
  struct Case {
    std::string baseName;
    std::string written;
  };
  for (const Case& c : std::vector<Case>{{"prog.", "prog.MKP"},
                                         {"prog", "progMKP"},
                                         {"prog.old", "prog.MKP"},
                                         {"out.d/game", "out.d/gameMKP"}}) {
    SCOPED_TRACE(c.baseName);
    TempDir dir;
    fs::create_directory(dir.path() / "out.d");
    dir.Write("prog.txt", "ENT\r\n");
    RunResult run =
        RunInfoFile(dir, {dir.File("prog.txt"), dir.File("prog.LST"), "2", dir.File(c.baseName)});
    ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
    EXPECT_EQ(dir.Read(c.written), ProgramFile({0x0E}));
    int mkFiles = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      if (entry.path().filename().string().find("MK") != std::string::npos) ++mkFiles;
    }
    EXPECT_EQ(mkFiles, 1);
  }
}

// A program-only source writes no zone file, and zone files already on disk stay as they were;
// an older, longer MKP is replaced whole.
TEST(MkFiles, OnlyTheProgramFileIsReplaced) {
  TempDir dir;
  dir.Write("prog.MKB", "binary zone of an earlier build");
  dir.Write("prog.MKP", std::string(3000, '\x11'));
  RunResult run = CompileInSlaveMode(dir, "ENT\r\n");
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_EQ(dir.Read("prog.MKP"), ProgramFile({0x0E}));
  EXPECT_EQ(dir.Read("prog.MKB"), "binary zone of an earlier build");
  EXPECT_FALSE(dir.Exists("prog.MKD"));
}

TEST(MkFiles, NothingIsWrittenWithoutStepsOrAfterAnError) {
  for (const auto& [source, exitCode] : std::vector<std::pair<std::string, int>>{
           {"; nothing to compile\r\n", 0}, {"ENT\r\nNOSUCH\r\n", 10}}) {
    SCOPED_TRACE(source);
    TempDir dir;
    EXPECT_EQ(CompileInSlaveMode(dir, source).exitCode, exitCode);
    EXPECT_FALSE(dir.Exists("prog.MKP"));
    EXPECT_FALSE(dir.Exists("prog.MKB"));
    EXPECT_FALSE(dir.Exists("prog.MKD"));
  }
}

}  // namespace
}  // namespace calvern_test
