#include "tables/character_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tables/keyword_table.h"

namespace calvern {
namespace {

// The letters, in UTF-8, and the codes the calculator's fonts draw them at.
TEST(CharacterTableTest, LettersAndTheirCodes) {
  struct Row {
    std::string letters;
    std::string codes;  // two hexadecimal digits per letter
  } rows[] = {
      {"АБВГДЕЖЗИЙКЛМНОП", "808182838485868788898A8B8C8D8E8F"},
      {"РСТУФХЦЧШЩЪЫЬЭЮЯ", "909192939495969798999A9B9C9D9E9F"},
      {"абвгдежзийклмноп", "A0A1A2A3A4A5A6A7A8A9AAABACADAEAF"},
      {"рстуфхцчшщъыьэюя", "E0E1E2E3E4E5E6E7E8E9EAEBECEDEEEF"},
      {"Ёё", "F0F1"},
      {" 09AZaz~\"", "203039415A617A7E22"},
  };
  const CharacterTable& table = CharacterTable::BuiltIn();
  for (const Row& row : rows) {
    std::string codes;
    std::string shown;
    for (std::size_t pos = 0; pos < row.letters.size();) {
      const int c = DecodeUtf8(row.letters, pos);
      ASSERT_GT(c, 0);
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02X", table.CodeOf(static_cast<char32_t>(c)));
      codes += hex;
      shown += table.Shown(table.CodeOf(static_cast<char32_t>(c)));
    }
    EXPECT_EQ(codes, row.codes) << row.letters;
    EXPECT_EQ(shown, row.letters);  // and back: the listing shows the letter
  }
  // Characters of no calculator code; codes of no letter show as the Latin-1 character.
  for (char32_t c : {U'€', U'Ї', U'²', U'\u0080', U'\t'}) EXPECT_EQ(table.CodeOf(c), -1);
  EXPECT_EQ(table.Shown(0xFB), "û");  // the check mark
}

TEST(CharacterTableTest, Utf8DecodingRejectsWhatIsNoCharacter) {
  const std::pair<std::string, std::vector<int>> cases[] = {
      {"aЖ€𝄞", {'a', 0x416, 0x20AC, 0x1D11E}},
      {"\xC0\xAF", {-1, -1}},                  // an overlong "/"
      {"\xED\xA0\x80", {-1, -1, -1}},          // a surrogate
      {"\xF4\x90\x80\x80", {-1, -1, -1, -1}},  // above U+10FFFF
      {"\xD0", {-1}},                          // cut short
      {"\xD0\x41", {-1, 'A'}},                 // no continuation byte
      {"\x80\xFF", {-1, -1}},
  };
  for (const auto& [text, expected] : cases) {
    std::vector<int> decoded;
    for (std::size_t pos = 0; pos < text.size();) decoded.push_back(DecodeUtf8(text, pos));
    EXPECT_EQ(decoded, expected) << text;
    EXPECT_EQ(IsUtf8(text), std::find(expected.begin(), expected.end(), -1) == expected.end());
  }
}

// Labels and register names meet in any case, Cyrillic as Latin; other characters stay.
TEST(CharacterTableTest, UpperCaseCoversCyrillic) {
  EXPECT_EQ(UpperCase("цикл:ёжа-я Ёz"), "ЦИКЛ:ЁЖА-Я ЁZ");
  EXPECT_EQ(UpperCase("абвгдежзийклмнопрстуфхцчшщъыьэюя"), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
  EXPECT_EQ(UpperCase("x²π⁻¹\xD1"), "X²π⁻¹\xD1");
}

}  // namespace
}  // namespace calvern
