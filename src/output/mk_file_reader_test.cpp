// MK files read back: what the writer stored, with the code/data attribute of each step.
#include "output/mk_file_reader.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "output/mk_file_writer.h"

namespace calvern {
namespace {

// What the files of a compiled program give back is what the compilation holds, but for the
// cells the binary and decimal files can only store as 0 and the data steps FF, which read as
// unused: and the same files come out of the image read back.
TEST(MkFileReader, FilesOfACompilationReadBackAsItsImage) {
  const char* sources[] = {
      "$12 STO 5 RCL 5 + R/S #TEXT \"AB\" #DB 255 7 #END",
      "#BLOCK 42 R/S #BLOCK 97 ENT ENT ENT ENT ENT ENT",
      "$1 $2 + R/S #BINARY #DB 1 2 255 #END #BLOCK 10 #DB 7 #END "
      "#DECIMAL 10 3.14 > -25 900 1E5",
      "#BINARY #DB 9 8 7 #END",
  };
  for (const char* source : sources) {
    SCOPED_TRACE(source);
    CompileResult compiled = CompileProgram(source);
    ASSERT_TRUE(compiled.Ok());
    const MemoryImage& expected = compiled.program.image;
    MkImage read;
    const MkFileContents files = MkFilesOf(compiled.program);
    for (const MkFileContents::File& file : files.files) {
      ASSERT_TRUE(AddMkFile(file.extension, file.bytes, read)) << file.extension;
    }
    for (int cell = 0; cell < MemoryImage::kCellCount; ++cell) {
      const bool zoneFile = cell >= kBinaryMemory.firstCell;
      const bool unusedStep =
          !zoneFile &&
          (!expected.Used(cell) || (expected.IsData(cell) && expected.Value(cell) == 0xFF));
      ASSERT_EQ(read.image.Used(cell),
                zoneFile ? zoneFile && (cell < kDecimalMemory.firstCell ? read.binaryZoneUsed
                                                                        : read.decimalZoneUsed)
                         : !unusedStep)
          << cell;
      if (!read.image.Used(cell)) continue;
      EXPECT_EQ(read.image.Value(cell), expected.Used(cell) ? expected.Value(cell) : 0) << cell;
      EXPECT_EQ(read.image.IsData(cell), zoneFile || expected.IsData(cell)) << cell;
    }
    EXPECT_EQ(read.binaryZoneUsed, compiled.program.binaryZoneUsed);
    EXPECT_EQ(read.decimalZoneUsed, compiled.program.decimalZoneUsed);
    CompiledProgram again;
    again.image = read.image;
    again.binaryZoneUsed = read.binaryZoneUsed;
    again.decimalZoneUsed = read.decimalZoneUsed;
    const MkFileContents rewritten = MkFilesOf(again);
    ASSERT_EQ(rewritten.files.size(), files.files.size());
    for (std::size_t k = 0; k < files.files.size(); ++k) {
      EXPECT_EQ(rewritten.files[k].bytes, files.files[k].bytes) << files.files[k].extension;
    }
  }
}

TEST(MkFileReader, MalformedFilesAreRefused) {
  std::string block(200, '\0');
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"MKP", ""},
      {"MKP", std::string(1, '\0') + block.substr(1)},            // not whole blocks
      {"MKP", std::string(1, 99) + block + block},                // past step 9999
      {"MKP", std::string(1, 0) + "\x0E\x01" + block.substr(2)},  // unknown attribute
      {"MKB", std::string(4095, '\0')},
      {"MKD", std::string(8001, '\0')},
      {"LST", std::string(8000, '\0')},
  };
  for (const auto& [extension, bytes] : cases) {
    SCOPED_TRACE(extension + " of " + std::to_string(bytes.size()) + " bytes");
    MkImage image;
    EXPECT_FALSE(AddMkFile(extension, bytes, image));
    EXPECT_TRUE(image.Empty());
  }
  MkImage blocks;
  ASSERT_TRUE(AddMkFile("MKP", std::string(1, 3) + block, blocks));
  EXPECT_EQ(blocks.firstBlock, 3);
  EXPECT_EQ(blocks.endBlock, 4);
  EXPECT_FALSE(blocks.Empty());  // step 300 holds 00 with the code attribute
  EXPECT_TRUE(IsMkExtension("mkd"));
  EXPECT_FALSE(IsMkExtension("MKPX"));
}

}  // namespace
}  // namespace calvern
