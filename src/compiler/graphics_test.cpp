// Graphs and user fonts: their exact bytes and listing keys in both zones, and the errors of
// the graphics directives with their texts and lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compile_testing.h"
#include "compiler/memory_image.h"

namespace calvern {
namespace {

std::string Rows(const std::string& row, int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += row + "\n";
  return text;
}

struct GraphicsCase {
  std::string source;
  int cell;  // where the data starts
  Texts codes;
  Texts keys;         // after the data marker
  int nextStep = -1;  // the step counter at the end, when it matters
};

TEST(Graphics, BytesAndKeys) {
  const Texts graph22 = {"Width", "Height", "byte", "byte"};
  const int binary = MemoryImage::kBinaryStart;
  const std::vector<GraphicsCase> cases = {
      // Column 1 holds the top dot, column 2 the second one.
      {"#DEFGRAPH *. .* #END", 0, {"02", "02", "01", "02"}, graph22, 4},
      // A short row leaves its missing dots blank.
      {"#DEFGRAPH *** * #END",
       0,
       {"03", "02", "03", "01", "01"},
       {"Width", "Height", "byte", "byte", "byte"}},
      // Rows are tokens: a blank splits a line into two rows.
      {"#DEFGRAPH\n* *\n#END", 0, {"01", "02", "03"}, {"Width", "Height", "byte"}},
      // 10 rows take two bytes per column; rows 10-15 of the second byte are blank.
      {"#DEFGRAPH\n" + Rows("*", 10) + "#END", 0, {"01", "0A", "FF", "03"}, graph22},
      // No rows at all: the width byte alone.
      {"#DEFGRAPH #END", 0, {"00"}, {"Width"}, 1},
      // Only the screen's 64 rows carry dots; the bands below are zero bytes.
      {"#DEFGRAPH\n" + Rows("*", 70) + "#END",
       0,
       {"01", "46", "FF", "FF", "FF", "FF", "FF", "FF", "FF", "FF", "00"},
       {"Width", "Height", "byte", "byte", "byte", "byte", "byte", "byte", "byte", "byte", "byte"}},
      // In the binary zone the graph advances the binary pointer only.
      {"#BINARY #DEFGRAPH *. .* #END ENT #DB 7 #END",
       binary,
       {"02", "02", "01", "02", "07"},
       {"Width", "Height", "byte", "byte", "byte"},
       1},
      // Two characters of widths 3 and 2: the first bitmap starts 10 bytes after the height
      // byte; the offsets' keys show the absolute steps of the bitmaps.
      {"ENT ENT #FONT 8\n"
       "#DEFCHAR 65 *.* .*. ... ... ... ... ... ..* #END\n"
       "#DEFCHAR 66 ** *. *. *. *. *. *. .* #END\n"
       "#ENDFONT",
       2,
       {"08", "41", "03", "00", "0A", "42", "02", "00", "0D", "FF", "01", "02", "81", "7F", "81"},
       {"FONT H", "CHAR(65)", "Width", "OFH(12)", "OFL", "CHAR(66)", "Width", "OFH(15)", "OFL",
        "END", "CHAR(65)", "BYTE", "BYTE", "CHAR(66)", "BYTE"},
       17},
      // A font 12 dots high: two band bytes per column.
      {"#FONT 12 #DEFCHAR 49\n" + Rows("*", 12) + "#END #ENDFONT",
       0,
       {"0C", "31", "01", "00", "06", "FF", "FF", "0F"},
       {"FONT H", "CHAR(49)", "Width", "OFH(6)", "OFL", "END", "CHAR(49)", "BYTE"}},
      // The binary zone's data stays where it is while a font is built in the program zone.
      {"#BINARY #DB 9 #END #PROGRAM #FONT 1 #DEFCHAR 32 . #END #ENDFONT",
       0,
       {"01", "20", "01", "00", "06", "FF", "00"},
       {"FONT H", "CHAR(32)", "Width", "OFH(6)", "OFL", "END", "CHAR(32)"}},
  };
  for (const GraphicsCase& g : cases) {
    SCOPED_TRACE(g.source);
    TestCompiler c;
    ASSERT_EQ(c.CompileText(g.source), 0) << c.Status[2];
    const int count = static_cast<int>(g.codes.size());
    Texts keys;
    for (const std::string& k : g.keys) keys.push_back(kData + k);
    EXPECT_EQ(c.Codes(g.cell, count), g.codes);
    EXPECT_EQ(c.Keys(g.cell, count), keys);
    EXPECT_EQ(c.Code(g.cell + count), "&");
    if (g.nextStep >= 0) {
      EXPECT_EQ(c.CurrentStep(), g.nextStep);
    }
  }
}

TEST(Graphics, LargestGraph) {
  TestCompiler c;
  // 255 x 255 dots is the largest graph the size bytes hold.
  ASSERT_EQ(c.CompileText("#DEFGRAPH\n" + Rows(std::string(255, '*'), 255) + "#END"), 0);
  EXPECT_EQ(c.Codes(0, 2), (Texts{"FF", "FF"}));
  EXPECT_EQ(c.CurrentStep(), 2 + 255 * 32);
}

TEST(Graphics, Errors) {
  const std::string row256 = std::string(256, '.');
  const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> cases = {
      {"ENT\n#DEFGRAPH ** *.", {"ERROR at line 2", "   unexpected end of file in #DEFGRAPH"}},
      {"#FONT 8\n#DEFCHAR 65 * *", {"ERROR at line 2", "   unexpected end of file in #DEFCHAR"}},
      {"#FONT 8\n#DEFCHAR 65\n" + Rows("*", 7) + "#END\n#ENDFONT",
       {"ERROR at line 10", "   Char Height doesn't match Font Height!"}},
      {"#FONT 8\n#FONT 8", {"ERROR at line 2", "   #FONT appears twice without #ENDFONT."}},
      {"ENT\n#ENDFONT", {"ERROR at line 2", "   #ENDFONT without #FONT"}},
      {"#DEFCHAR 65 * #END", {"ERROR at line 1", "   #DEFCHAR without #FONT"}},
      // Fonts are for \UserFont, which addresses program steps.
      {"#BINARY\n#FONT 8",
       {"ERROR at line 2",
        "   a font is built in the program zone only, not in the binary zone: #FONT"}},
      {"#FONT 1\n#BINARY\n#DEFCHAR 65 * #END",
       {"ERROR at line 3",
        "   a font is built in the program zone only, not in the binary zone: #DEFCHAR"}},
      {"#FONT 1\n#DEFCHAR 65 * #END\n#BINARY #ENDFONT",
       {"ERROR at line 3",
        "   a font is built in the program zone only, not in the binary zone: #ENDFONT"}},
      // The calculator reads the table as consecutive entries.
      {"#FONT 1 ENT\n#DEFCHAR 65 * #END",
       {"ERROR at line 2",
        "   the font table must be contiguous: other steps stand between #FONT and #DEFCHAR"}},
      {"#FONT 1 #DEFCHAR 65 * #END\nENT #ENDFONT",
       {"ERROR at line 2",
        "   the font table must be contiguous: other steps stand between #FONT and #ENDFONT"}},
      // A font left open is reported at its #FONT line.
      {"ENT\n#FONT 1\n#DEFCHAR 65 * #END\n",
       {"End of file: #FONT (from step 1) Structure Not closed!, line 2", ""}},
      // FF ends the table, so it is no character code; the sizes are bytes.
      {"#FONT 1 #DEFCHAR 255 * #END", {"ERROR at line 1", "   value out of range in #DEFCHAR 255"}},
      {"#FONT 256", {"ERROR at line 1", "   value out of range in #FONT 256"}},
      {"#FONT X", {"ERROR at line 1", "   number expected in #FONT X"}},
      {"#DEFGRAPH\n" + Rows("*", 256) + "#END",
       {"ERROR at line 257", "   a graph has at most 255 x 255 dots: #DEFGRAPH, row 256"}},
      {"#FONT 1\n#DEFCHAR 65 " + row256 + " #END",
       {"ERROR at line 2", "   a graph has at most 255 x 255 dots: #DEFCHAR, row 1 (256 dots)"}},
      // Pictures need a loader: the compiler reads no file itself.
      {"#LOADIMAGE 0 \"logo.png\"",
       {"ERROR at line 1", "   no picture reader in this build of Calvern to read logo.png"}},
      {"#LOADIMAGE 0 logo.png", {"ERROR at line 1", "   Invalid string in #LOADIMAGE"}},
      {"#LOADIMAGE 0", {"ERROR at line 1", "   Invalid string in #LOADIMAGE"}},
  };
  for (const auto& [source, status] : cases) {
    SCOPED_TRACE(source.substr(0, 80));
    TestCompiler c;
    ASSERT_NE(c.CompileText(source), 0);
    EXPECT_EQ(c.Status[1], status.first);
    EXPECT_EQ(c.Status[2], status.second);
  }
}

}  // namespace
}  // namespace calvern
