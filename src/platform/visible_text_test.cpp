#include "platform/visible_text.h"

#include <gtest/gtest.h>

namespace calvern::platform {
namespace {

// Control characters become escapes; letters of every script stay, in UTF-8 or as 8-bit
// bytes; a C1 control is caught whether it comes in UTF-8 or as a lone byte.
TEST(VisibleText, ControlCharactersAreEscapedAndLettersStay) {
  const struct {
    std::string text, shown;
  } cases[] = {
      {"prog.txt", "prog.txt"},
      {"evil\x1b]0;PWNED\x07\x1b[2J.txt", "evil\\x1b]0;PWNED\\x07\\x1b[2J.txt"},
      {"a\tb\nc\rd", "a\\tb\\nc\\rd"},
      {std::string("nul\0end", 7), "nul\\x00end"},
      {"del\x7f", "del\\x7f"},
      {"\xd0\x9f\xd1\x80\xd0\xbe\xd0\xb3.txt", "\xd0\x9f\xd1\x80\xd0\xbe\xd0\xb3.txt"},  // Прог
      {"\xe2\x94\x80 \xf0\x9f\x98\x80", "\xe2\x94\x80 \xf0\x9f\x98\x80"},  // ─ and an emoji
      {"csi\xc2\x9b"
       "31m",
       "csi\\u009b31m"},                 // U+009B
      {"nbsp\xc2\xa0", "nbsp\xc2\xa0"},  // U+00A0
      {"lone\x9b"
       "31m",
       "lone\\x9b31m"},
      {"cp1251 \xcf\xf0\xee\xe3", "cp1251 \xcf\xf0\xee\xe3"},  // "Прог" in CP1251
      {"cut\xe2\x94", "cut\xe2\\x94"},  // an unfinished UTF-8 letter: its 80-9F byte goes
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VisibleText(c.text), c.shown);
    EXPECT_EQ(VisibleText(c.shown), c.shown);  // what is shown has nothing left to escape
  }
}

}  // namespace
}  // namespace calvern::platform
