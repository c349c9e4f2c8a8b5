#include "platform/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace calvern::platform {
namespace {

struct LinesCase {
  std::vector<std::string> pieces;  // the input as it arrives
  std::vector<std::string> lines;   // what the reader gives, ending with the empty end reads
};

// Lines split across pieces, CR LF and LF ends, a last line without its end, empty lines,
// an over-long line cut to its bound, and a line past the dropping bound ending the input.
TEST(LineReader, CutsTheInputIntoBoundedLines) {
  const std::string longLine(LineReader::kMaxLineBytes + 10, 'x');
  const std::vector<LinesCase> cases = {
      {{"1\r\n2", "\n\n3"}, {"1", "2", "", "3", ""}},
      {{"ab", "c\r", "\nd"}, {"abc", "d", ""}},
      {{}, {"", ""}},
      {{longLine + "\nnext\n"}, {longLine.substr(0, LineReader::kMaxLineBytes), "next", ""}},
      {{std::string(LineReader::kMaxLineBytes + LineReader::kMaxDroppedBytes + 1, 'y'), "\nz\n"},
       {""}},
  };
  for (const LinesCase& c : cases) {
    std::size_t next = 0;
    LineReader reader([&](std::string& piece) {
      if (next == c.pieces.size()) return false;
      piece = c.pieces[next++];
      return true;
    });
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < c.lines.size(); ++i) lines.push_back(reader.ReadLine());
    EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.pieces);
    EXPECT_TRUE(reader.Ended());
  }
}

}  // namespace
}  // namespace calvern::platform
