// A user font for \UserFont, built in the program zone by #FONT h, #DEFCHAR c ... #END and
// #ENDFONT: the height byte, a table of 4 bytes per character (code, width, offset of its
// bitmap, high then low), FF, then the bitmaps of all characters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

struct FontCharacter {
  int code = 0;
  int offsetCell = 0;    // the step of the offset's high byte in the table
  int bitmapOffset = 0;  // where its bitmap starts among the collected bitmap bytes
};

// The font being built, from #FONT to #ENDFONT.
struct OpenFont {
  bool open = false;
  int start = 0;  // the step of the height byte
  int height = 0;
  long long line = 0;  // the line of its #FONT, for the error of a font never closed
  std::vector<FontCharacter> characters;
  std::vector<std::uint8_t> bitmaps;  // written after the table by #ENDFONT
};

// #FONT, #DEFCHAR and #ENDFONT.
Status CompileFontDirective(Compilation& c, const KeywordEntry& directive);

}  // namespace calvern
