// The progress line of a transfer.
#include "shell/transfer_progress.h"

#include <gtest/gtest.h>

namespace calvern {
namespace {

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
  std::string bar, lines;
  TransferProgress onTerminal([&bar](std::string_view text) { bar += text; }, messages, 4, true);
  TransferProgress inLog([&lines](std::string_view text) { lines += text; }, messages, 4, false);
  for (int block = 1; block <= 4; ++block) {
    onTerminal.BlockSent(100 * block);
    inLog.BlockSent(100 * block);
  }
  onTerminal.Finish();
  inLog.Finish();
  const std::string rate = " blocks, N bytes/s";
  EXPECT_EQ(MaskRates(bar), "\rcalvern: [#####...............] sent 1 of 4" + rate + "\x1b[K" +
                                "\rcalvern: [##########..........] sent 2 of 4" + rate + "\x1b[K" +
                                "\rcalvern: [###############.....] sent 3 of 4" + rate + "\x1b[K" +
                                "\rcalvern: [####################] sent 4 of 4" + rate +
                                "\x1b[K\n");
  // The first and the last block within a second: two plain lines.
  EXPECT_EQ(MaskRates(lines),
            "calvern: sent 1 of 4" + rate + "\ncalvern: sent 4 of 4" + rate + "\n");
}

}  // namespace
}  // namespace calvern
