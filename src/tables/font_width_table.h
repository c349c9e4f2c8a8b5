// Pixel widths of the calculator's built-in fonts (0 small, 1 large, 2 large digits), used to
// centre texts on the 128-pixel-wide screen.
#pragma once

#include <string_view>

namespace calvern {

class FontWidthTable {
 public:
  static constexpr int kFontCount = 3;

  static const FontWidthTable& BuiltIn();

  // Loaded width of character code c (0-255) in font f: glyph width plus one spacing column,
  // or 0 when the font has no such glyph.
  int Width(int font, int code) const { return width_[font][code]; }

  // Width of a text in calculator character codes (one byte each): the sum of the character
  // widths less the trailing spacing column. The empty text is 0 wide; a font outside 0-2
  // counts as the full 124 pixels.
  int TextWidth(int font, std::string_view text) const;

 private:
  FontWidthTable();
  int width_[kFontCount][256] = {};
};

}  // namespace calvern
