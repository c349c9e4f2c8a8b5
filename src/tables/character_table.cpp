#include "tables/character_table.h"

#include <cstdint>
#include <cstring>

namespace calvern {
namespace {

// Runs of consecutive codes that show consecutive Unicode characters. The Cyrillic letters
// sit where the calculator's fonts draw them: capitals at 80-9F, small а-п at A0-AF, р-я at
// E0-EF, Ё and ё at F0 and F1.
struct CharacterRun {
  int firstCode;
  char32_t firstCharacter;
  int count;
};

constexpr CharacterRun kCharacterRuns[] = {
    {0x20, U' ', 95},       // printable ASCII, same codes
    {0x80, U'\u0410', 32},  // А-Я
    {0xA0, U'\u0430', 16},  // а-п
    {0xE0, U'\u0440', 16},  // р-я
    {0xF0, U'\u0401', 1},   // Ё
    {0xF1, U'\u0451', 1},   // ё
};

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

int DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(pos);
  if (lead < 0x80) return static_cast<int>(text[pos++]);
  int length = 0;
  char32_t c = 0;
  char32_t least = 0;  // the smallest character of this length: shorter forms are overlong
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, least = 0x10000;
  } else {
    ++pos;
    return -1;
  }
  if (pos + length > text.size()) {
    ++pos;
    return -1;
  }
  for (int k = 1; k < length; ++k) {
    const unsigned next = byte(pos + k);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return -1;
    }
    c = c << 6 | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return -1;
  }
  pos += length;
  return static_cast<int>(c);
}

bool IsUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    // Eight ASCII bytes at a time while no byte has its top bit set: most sources are ASCII.
    std::uint64_t eight;
    if (pos + sizeof eight <= text.size()) {
      std::memcpy(&eight, text.data() + pos, sizeof eight);
      if ((eight & 0x8080808080808080u) == 0) {
        pos += sizeof eight;
        continue;
      }
    }
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;  // ASCII, the most of any source
    } else if (DecodeUtf8(text, pos) < 0) {
      return false;
    }
  }
  return true;
}

CharacterTable::CharacterTable() {
  for (const CharacterRun& run : kCharacterRuns) {
    for (int k = 0; k < run.count; ++k) {
      characterOf_[run.firstCode + k] = run.firstCharacter + k;
      codeOf_.emplace(run.firstCharacter + k, run.firstCode + k);
    }
  }
}

const CharacterTable& CharacterTable::BuiltIn() {
  static const CharacterTable table;
  return table;
}

int CharacterTable::CodeOf(char32_t c) const {
  auto it = codeOf_.find(c);
  return it == codeOf_.end() ? -1 : it->second;
}

std::string CharacterTable::Shown(int code) const {
  code &= 0xFF;
  if (char32_t c = characterOf_[code]; c != 0) return Utf8(c);
  return Utf8(static_cast<char32_t>(code));
}

std::string CharacterTable::ShownText(std::string_view codes) const {
  std::string text;
  for (char code : codes) text += Shown(static_cast<unsigned char>(code));
  return text;
}

}  // namespace calvern
