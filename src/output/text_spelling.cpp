#include "output/text_spelling.h"

#include "tables/character_table.h"

namespace calvern {

std::optional<std::string> TextSpelling(std::uint8_t code) {
  if (code < 0x20 || code == '"') return std::nullopt;
  const char32_t character = CharacterTable::BuiltIn().CharacterOf(code);
  if (character == 0) return std::nullopt;
  return Utf8(character);
}

}  // namespace calvern
