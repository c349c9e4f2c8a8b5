#include "tables/font_width_table.h"

#include <gtest/gtest.h>

#include <string>

namespace calvern {
namespace {

const FontWidthTable& Widths() { return FontWidthTable::BuiltIn(); }

TEST(FontWidthTableTest, LoadedWidthIsGlyphPlusSpacingAndZeroStaysZero) {
  // Stored rows 20 and B0 of the small font, before loading.
  const int row20[16] = {2, 1, 3, 5, 4, 5, 6, 2, 3, 3, 5, 5, 3, 5, 3, 5};
  const int rowB0[16] = {5, 3, 5, 5, 7, 8, 0, 9, 0, 6, 0, 0, 0, 2, 3, 3};
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(Widths().Width(0, 0x20 + k), row20[k] + 1) << k;
    EXPECT_EQ(Widths().Width(0, 0xB0 + k), rowB0[k] == 0 ? 0 : rowB0[k] + 1) << k;
  }
  EXPECT_EQ(Widths().Width(0, 0x00), 4);
  EXPECT_EQ(Widths().Width(0, 0x01), 0);
  EXPECT_EQ(Widths().Width(0, 0xD5), 0);
  EXPECT_EQ(Widths().Width(0, 0xFB), 8);  // the check mark
  EXPECT_EQ(Widths().Width(2, '!'), 6);
  EXPECT_EQ(Widths().Width(2, '9'), 12);
  EXPECT_EQ(Widths().Width(2, '@'), 0);
  EXPECT_EQ(Widths().Width(2, 'F'), 18);
  EXPECT_EQ(Widths().Width(2, 'G'), 0);
}

TEST(FontWidthTableTest, LargeFontCoversItsTwoRangesOnly) {
  for (int c = 0; c < 256; ++c) {
    const bool covered = (c >= 0x20 && c <= 0xAF) || (c >= 0xE0 && c <= 0xF1);
    int expected = covered ? 9 : 0;
    if (c == 0x27 || c == 0x2C || c == 0x2E || c == 0x3A || c == 0x3B || c == 0x60) expected = 6;
    if (c == 0x21 || c == 0x28 || c == 0x29 || c == 0x5B || c == 0x5D || c == 0x7C) expected = 7;
    EXPECT_EQ(Widths().Width(1, c), expected) << std::hex << c;
  }
}

TEST(FontWidthTableTest, TextWidthDropsTheLastSpacingColumn) {
  struct Case {
    int font;
    std::string text;
    int width;
  };
  const Case cases[] = {
      {0, "", 0},
      {7, "", 0},  // empty stays 0 even for an unknown font
      {0, "A", 5},
      {0, "AB", 11},
      {0, "Hi!", 6 + 3 + 2 - 1},
      {1, "MENU", 4 * 9 - 1},
      {2, "12", 23},
      {3, "A", 124},
      {-1, "A", 124},
      {0, "\x01", 0},  // no glyph: nothing to take the spacing from
      {0,
       "\x01"
       "A",
       5},
      {2, "a", 0},     // the digit font has no small letters
      {0, "\xFB", 7},  // bytes above 7F are calculator codes, not negative indexes
      {1, "\xB0\xC5", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Widths().TextWidth(c.font, c.text), c.width) << c.font << " '" << c.text << "'";
  }
}

}  // namespace
}  // namespace calvern
