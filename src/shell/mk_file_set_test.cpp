// MK files read back into the image the link sends, and the progress line of a transfer.
#include "shell/mk_file_set.h"

#include <gtest/gtest.h>

#include <sstream>

#include "output/mk_file_writer.h"
#include "shell/link_action.h"
#include "shell/transfer_progress.h"

namespace calvern {
namespace {

// What the files of a compiled program give back is what the compilation holds, but for the
// cells the binary and decimal files can only store as 0.
TEST(MkFileSet, FilesOfACompilationReadBackAsItsImage) {
  const char* sources[] = {
      "$12 STO 5 RCL 5 + R/S",
      "#BLOCK 42 R/S #BLOCK 97 ENT ENT ENT ENT ENT ENT",
      "$1 $2 + R/S #BINARY #DB 1 2 255 #END #BLOCK 10 #DB 7 #END "
      "#DECIMAL 10 3.14 > -25 900 1E5",
      "#BINARY #DB 9 8 7 #END",
  };
  for (const char* source : sources) {
    SCOPED_TRACE(source);
    CompileResult compiled = CompileProgram(source);
    ASSERT_TRUE(compiled.Ok());
    ProgramImage expected = ProgramImageOf(compiled.program);
    for (int cell = MemoryImage::kBinaryStart; cell < MemoryImage::kCellCount; ++cell) {
      bool zoneWritten =
          cell < MemoryImage::kDecimalStart ? expected.binaryZoneUsed : expected.decimalZoneUsed;
      if (zoneWritten && expected.cells[cell] == ProgramImage::kUnused) expected.cells[cell] = 0;
    }
    ProgramImage read;
    for (const MkFileContents::File& file : MkFilesOf(compiled.program).files) {
      ASSERT_TRUE(AddMkFile(file.extension, file.bytes, read)) << file.extension;
    }
    EXPECT_EQ(read.cells, expected.cells);
    EXPECT_EQ(read.binaryZoneUsed, expected.binaryZoneUsed);
    EXPECT_EQ(read.decimalZoneUsed, expected.decimalZoneUsed);
  }
}

TEST(MkFileSet, MalformedFilesAreRefused) {
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
    ProgramImage image;
    EXPECT_FALSE(AddMkFile(extension, bytes, image));
  }
  EXPECT_TRUE(IsMkFileName("dir.x/prog.mkd"));
  EXPECT_FALSE(IsMkFileName("prog.MKD.txt"));
  EXPECT_FALSE(IsMkFileName("MKP"));
}

// The text with every rate such as "958 bytes/s" written "N bytes/s".
std::string MaskRates(std::string text) {
  for (std::size_t at = text.find(" bytes/s"); at != std::string::npos;
       at = text.find(" bytes/s", at + 1)) {
    std::size_t start = at;
    while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9') --start;
    text.replace(start, at - start, "N");
    at = start + 1;
  }
  return text;
}

TEST(TransferProgress, BarOnATerminalLinesElsewhere) {
  MessageTable messages;
  std::ostringstream bar, lines;
  TransferProgress onTerminal(bar, messages, 4, true), inLog(lines, messages, 4, false);
  for (int block = 1; block <= 4; ++block) {
    onTerminal.BlockSent(100 * block);
    inLog.BlockSent(100 * block);
  }
  onTerminal.Finish();
  inLog.Finish();
  const std::string rate = " blocks, N bytes/s";
  EXPECT_EQ(MaskRates(bar.str()),
            "\rcalvern: [#####...............] sent 1 of 4" + rate + "\x1b[K" +
                "\rcalvern: [##########..........] sent 2 of 4" + rate + "\x1b[K" +
                "\rcalvern: [###############.....] sent 3 of 4" + rate + "\x1b[K" +
                "\rcalvern: [####################] sent 4 of 4" + rate + "\x1b[K\n");
  // The first and the last block within a second: two plain lines.
  EXPECT_EQ(MaskRates(lines.str()),
            "calvern: sent 1 of 4" + rate + "\ncalvern: sent 4 of 4" + rate + "\n");
}

}  // namespace
}  // namespace calvern
