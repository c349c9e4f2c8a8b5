#include "output/mk_file_writer.h"

#include <gtest/gtest.h>

namespace calvern {
namespace {

TEST(MkFileWriter, ProgramFileCoversWholeBlocksWithAttributes) {
  MemoryImage image;
  EXPECT_EQ(MkpBytes(image), "") << "no program step: no MKP file";
  image.Set(150, CellKind::kInstruction, 0x0E, "ENT ");
  image.Set(160, CellKind::kText, 0x41, "\"A\"");
  std::string bytes = MkpBytes(image);
  ASSERT_EQ(bytes.size(), 201u);
  EXPECT_EQ(bytes[0], 1) << "first block";
  EXPECT_EQ(bytes.substr(1 + 2 * 50, 2), std::string("\x0E\x00", 2)) << "instruction";
  EXPECT_EQ(bytes.substr(1 + 2 * 60, 2), std::string("\x41\x02", 2)) << "data";
  EXPECT_EQ(bytes.substr(1, 2), std::string("\xFF\x02", 2)) << "unused";

  image.Set(95, CellKind::kInstruction, 0x01, "1");
  EXPECT_EQ(MkpBytes(image).size(), 401u) << "steps 95-160 span blocks 0 and 1";
}

TEST(MkFileWriter, ZoneFilesHaveFixedSizesAndZeroForUnusedCells) {
  MemoryImage image;
  image.Set(MemoryImage::kBinaryStart + 1, CellKind::kData, 0x7F, "");
  image.Set(MemoryImage::kDecimalStart + 8, CellKind::kData, 0x80, "");
  std::string binary = MkbBytes(image);
  std::string decimal = MkdBytes(image);
  ASSERT_EQ(binary.size(), 4096u);
  ASSERT_EQ(decimal.size(), 8000u);
  EXPECT_EQ(binary.substr(0, 3), std::string("\x00\x7F\x00", 3));
  EXPECT_EQ(static_cast<unsigned char>(decimal[8]), 0x80);
}

}  // namespace
}  // namespace calvern
