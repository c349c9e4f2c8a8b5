#include "output/listing_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "output/text_lines_testing.h"

namespace calvern {
namespace {

struct ListingFixture : ::testing::Test {
  CompiledProgram program;
  MemoryImage& image = program.image;
  LabelTable& labels = program.labels;
  RegisterNameTable& names = program.registerNames;

  CompiledProgram& Content() { return program; }
  void Put(int cell, int value, const std::string& keys, CellKind kind = CellKind::kInstruction) {
    image.Set(cell, kind, value, keys);
  }
};

TEST_F(ListingFixture, EmptyProgramGivesTheSixFixedLines) {
  EXPECT_EQ(CrlfLines(ListingText(Content())),
            (std::vector<std::string>{"     PROGAM ZONE", "  Step  | Code | Keys",
                                      "-------------------------", "-------------------------", "",
                                      "--     END OF FILE     --"}));
}

TEST_F(ListingFixture, BinaryAndDecimalZonesFollowTheProgram) {
  Put(5, 0x0E, "ENT ");  // step 0 unused: an empty line comes first
  Put(MemoryImage::kBinaryStart + 0, 0x41, "\"A\"", CellKind::kText);
  Put(MemoryImage::kBinaryStart + 64, 0xFF, "byte", CellKind::kData);
  const std::string longComment = std::string(70, '-') + "|";  // longer than the line buffer
  Put(MemoryImage::kBinaryStart + 65, 0x2D, longComment, CellKind::kText);
  Put(MemoryImage::kBinaryStart + 66, 0x00, "??", CellKind::kUndefined);
  Put(MemoryImage::kDecimalStart + 8 * 3, 0x00, "3.14", CellKind::kData);
  Put(MemoryImage::kDecimalStart + 8 * 3 + 1, 0x31, "", CellKind::kData);
  CompiledProgram& content = Content();
  content.binaryZoneUsed = true;
  content.decimalZoneUsed = true;
  EXPECT_EQ(CrlfLines(ListingText(content)),
            (std::vector<std::string>{"     PROGAM ZONE",
                                      "  Step  | Code | Keys",
                                      "-------------------------",
                                      "",
                                      "  0005  |  0E  | ENT ",
                                      "",
                                      "     BINARY ZONE",
                                      "  Step  | Code | Comment",
                                      "-------------------------",
                                      "  1000  |  41  | \"A\"",
                                      "",
                                      "  1064  |  FF  | byte",
                                      "  1065  |  2D  | " + longComment,
                                      "  1066  |  ??  | ??",
                                      "",
                                      "     DECIMAL ZONE",
                                      "   Reg  |  Value",
                                      "-------------------------",
                                      "  0003  |  3.14",
                                      "-------------------------",
                                      "",
                                      "--     END OF FILE     --"}));
}

TEST_F(ListingFixture, LabelsOfBothZonesAndHiddenInternalLabels) {
  Put(0, 0x50, "R/S ");
  ASSERT_TRUE(labels.Add("START", 0));
  ASSERT_TRUE(labels.Add("__label1", 7));
  ASSERT_TRUE(labels.Add("lab2", 8));
  ASSERT_TRUE(labels.Add("TABLE", 1234 + MemoryImage::kBinaryOffset));
  CompiledProgram& content = Content();
  content.userLabelCount = 3;
  std::vector<std::string> lines = CrlfLines(ListingText(content));
  std::vector<std::string> section(lines.begin() + 6, lines.end());
  EXPECT_EQ(section,
            (std::vector<std::string>{
                "  Addr  |  Name", "-------------------------", "  0000  |  START",
                "B 1234  |  TABLE", "-------------------------", "", "--     END OF FILE     --"}));
  content.listAllLabels = 1;
  lines = CrlfLines(ListingText(content));
  EXPECT_EQ(lines[9], "  0007  |  __label1");
  EXPECT_EQ(lines[10], "  0008  |  lab2");
}

TEST_F(ListingFixture, NamedRegistersInThreeWidths) {
  names.LoadIoRegisters();
  names.SetName(5, "COUNT");
  names.SetName(20, "TOTAL");
  for (int r : {5, 20, 9001}) names.MarkReferenced(r);
  CompiledProgram& content = Content();
  content.namedRegisterUsed = true;
  std::vector<std::string> lines = CrlfLines(ListingText(content));
  std::vector<std::string> section(lines.begin() + 5, lines.end());
  EXPECT_EQ(section, (std::vector<std::string>{"   Reg  |  Name", "-------------------------",
                                               "     5  |  COUNT", "    20  |  TOTAL",
                                               "  9001  |  \\GMODE", "-------------------------",
                                               "", "--     END OF FILE     --"}));
}

// A listing written a part at a time is the same text, for images of every size; a part that
// cannot be written ends the writing.
TEST_F(ListingFixture, WrittenInPartsItIsTheSameText) {
  std::mt19937 random(161);
  for (int cells : {0, 1, 3000, 9999}) {
    for (int cell = 0; cell < cells; ++cell) {
      if (random() % 5 == 0) continue;  // gaps make empty lines
      Put(cell, static_cast<int>(random() % 256), std::string(random() % 40, 'k'));
    }
    Put(MemoryImage::kBinaryStart + 7, 0x41, std::string(20000, 'c'), CellKind::kText);
    program.binaryZoneUsed = true;
    const std::string whole = ListingText(program);
    std::string joined;
    std::vector<std::size_t> sizes;
    ASSERT_TRUE(WriteListing(program, [&](std::string_view part) {
      joined += part;
      sizes.push_back(part.size());
      return true;
    }));
    EXPECT_EQ(joined, whole) << cells << " cells";
    // Parts of at least 16 KB but the last, and none much longer: the longest line is 20 KB.
    for (std::size_t k = 0; k < sizes.size(); ++k) {
      if (k + 1 < sizes.size()) {
        EXPECT_GE(sizes[k], 16u * 1024) << k;
      }
      EXPECT_LT(sizes[k], 16u * 1024 + 20100) << k;
    }
    const int parts = static_cast<int>(sizes.size());
    int offered = 0;
    EXPECT_EQ(WriteListing(program, [&](std::string_view) { return ++offered < 2; }), parts < 2);
    EXPECT_EQ(offered, std::min(parts, 2));
  }
}

// The image keeps every cell's keys one after another in one text: keys of every length read
// back as they were stored, also when a cell is written again with keys read from the image
// itself (the text may move as it grows).
TEST_F(ListingFixture, KeysReadBackAsStored) {
  std::mt19937 random(1610);
  std::vector<std::string> expected(4000);
  for (int round = 0; round < 3; ++round) {
    for (int cell = 0; cell < 4000; ++cell) {
      const int pick = static_cast<int>(random() % 10);
      std::string keys;
      if (pick == 0 && cell > 0) {
        const int other = static_cast<int>(random() % cell);
        keys = std::string(image.Keys(other));
        image.Set(cell, CellKind::kData, 1, image.Keys(other));  // a view into the image's text
      } else {
        const std::size_t length = pick == 1 ? 250 + random() % 500 : random() % 30;
        for (std::size_t k = 0; k < length; ++k) keys += static_cast<char>('a' + random() % 26);
        Put(cell, 1, keys, CellKind::kData);
      }
      expected[cell] = keys;
    }
    for (int cell = 0; cell < 4000; ++cell) ASSERT_EQ(image.Keys(cell), expected[cell]) << cell;
  }
}

}  // namespace
}  // namespace calvern
