// The calculator's character set: the code that each character of a source's text becomes,
// and the character that each code shows in the listing and in messages. Sources are UTF-8;
// inside the compiler a text is a sequence of calculator codes, one byte each.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace calvern {

// ---- UTF-8 ----

// Appends the UTF-8 bytes of a Unicode character.
void AppendUtf8(std::string& out, char32_t c);
inline std::string Utf8(char32_t c) {
  std::string text;
  AppendUtf8(text, c);
  return text;
}
// The Unicode character whose UTF-8 bytes start at `pos`, and `pos` moved past them; -1 with
// `pos` moved by one byte when the bytes there are no UTF-8 character (overlong forms,
// surrogates and values above U+10FFFF included).
int DecodeUtf8(std::string_view text, std::size_t& pos);
// True when the whole text is UTF-8.
bool IsUtf8(std::string_view text);

// ---- The calculator's characters ----

class CharacterTable {
 public:
  static const CharacterTable& BuiltIn();

  // The calculator code of a Unicode character, -1 when the calculator has none: printable
  // ASCII keeps its code, the Cyrillic letters take 80-AF and E0-F1.
  int CodeOf(char32_t c) const;
  // The Unicode character of a code, 0 when the code stands for none of the table's characters
  // (the check mark FB, the calculator's graphic symbols).
  char32_t CharacterOf(int code) const { return characterOf_[code & 0xFF]; }
  // A code as the listing and messages show it, in UTF-8: its character; a code without one
  // shows as the Latin-1 character of the same number, as listings always showed it.
  std::string Shown(int code) const;
  // A text of calculator codes shown in UTF-8, character by character.
  std::string ShownText(std::string_view codes) const;

 private:
  CharacterTable();

  std::array<char32_t, 256> characterOf_{};
  std::unordered_map<char32_t, int> codeOf_;
};

}  // namespace calvern
