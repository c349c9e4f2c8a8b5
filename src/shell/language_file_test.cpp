#include "shell/language_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace calvern {
namespace {

// UTF-16LE bytes of a UTF-8 text made of characters below U+10000, lines joined with CR LF.
std::string Utf16(const std::vector<std::string>& lines, bool withMark = true) {
  std::string utf8;
  for (const std::string& line : lines) utf8 += line + "\r\n";
  std::string out = withMark ? std::string("\xFF\xFE", 2) : std::string();
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = utf8[i];
    unsigned code;
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : 2;
    code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : (c & 0x0F);
    for (int k = 1; k <= extra; ++k) code = (code << 6) | (utf8[i + k] & 0x3F);
    i += 1 + extra;
    out.push_back(static_cast<char>(code & 0xFF));
    out.push_back(static_cast<char>(code >> 8));
  }
  return out;
}

std::string Trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A language file whose messages are the English texts with their outer blanks removed.
std::vector<std::string> EnglishLines(const std::string& help = "#") {
  std::vector<std::string> lines = {"; test language", help};
  for (int i = 0; i < MessageTable::kTranslatedCount; ++i) {
    lines.push_back(Trimmed(MessageTable::DefaultText(i)));
  }
  return lines;
}

TEST(LanguageFile, StrippedEnglishTextsGiveTheDefaultsBack) {
  MessageTable messages;
  LanguageFileResult result = ParseLanguageFile(Utf16(EnglishLines()), messages);
  EXPECT_TRUE(result.unicode);
  EXPECT_TRUE(result.accepted);
  EXPECT_EQ(result.helpFile, "");
  for (int i = 0; i < MessageTable::kTranslatedCount; ++i) {
    EXPECT_EQ(messages[i], MessageTable::DefaultText(i)) << i;
  }
}

TEST(LanguageFile, SignificantBlanksAreAddedAndCommentsSkipped) {
  std::vector<std::string> lines = EnglishLines("help-ru.txt");
  lines[2 + kPressEnter] = " Нажмите ENTER.";  // keeps its blank: gets a second one
  lines[2 + kDoubleDefinitionOf] = "";         // empty: becomes the significant blank
  lines[2 + kErrorAtLine] = "ОШИБКА в строке";
  lines.insert(lines.begin() + 2 + 11, "; a comment between messages 10 and 11");
  MessageTable messages;
  LanguageFileResult result = ParseLanguageFile(Utf16(lines), messages);
  ASSERT_TRUE(result.accepted);
  EXPECT_EQ(result.helpFile, "help-ru.txt");
  EXPECT_EQ(messages[kPressEnter], "  Нажмите ENTER.");
  EXPECT_EQ(messages[kDoubleDefinitionOf], " ");
  EXPECT_EQ(messages[kErrorAtLine], "ОШИБКА в строке ");
  EXPECT_EQ(messages[kUnavailableIndirectAddressing], "unavailable indirect addressing ");
}

TEST(LanguageFile, ShiftedOrShortFilesAreRejectedWithEnglishKept) {
  MessageTable messages;
  std::vector<std::string> missing = EnglishLines();
  missing.erase(missing.begin() + 2 + 20);  // one message lost: "[1]" arrives at 47
  missing[2 + kErrorAtLine] = "changed";
  LanguageFileResult result = ParseLanguageFile(Utf16(missing), messages);
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(messages[kErrorAtLine], "ERROR at line ");

  std::vector<std::string> shortFile = EnglishLines();
  shortFile.resize(100);
  EXPECT_FALSE(ParseLanguageFile(Utf16(shortFile), messages).accepted);

  std::vector<std::string> badMarker = EnglishLines("own-help.txt");
  badMarker[2 + kMarker2] = "[2] ";
  result = ParseLanguageFile(Utf16(badMarker), messages);
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(result.helpFile, "own-help.txt") << "the help line of a rejected file stays";
}

TEST(LanguageFile, Utf8FileIsNotUnicodeAndIsRejected) {
  std::string utf8;
  for (const std::string& line : EnglishLines()) utf8 += line + "\r\n";
  MessageTable messages;
  LanguageFileResult result = ParseLanguageFile(utf8, messages);
  EXPECT_FALSE(result.unicode);
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(messages[kMenuQuit], "Quit");

  // Without the mark but in UTF-16 the file still counts: only the warning differs.
  result = ParseLanguageFile(Utf16(EnglishLines(), false), messages);
  EXPECT_FALSE(result.unicode);
  EXPECT_TRUE(result.accepted);
}

TEST(LanguageFile, Utf16DecodingHandlesSurrogatesAndOddBytes) {
  EXPECT_EQ(Utf16LeToUtf8(std::string("A\0\x3D\xD8\x00\xDE", 6)), "A\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16LeToUtf8(std::string("\x00\xDC"
                                      "B",
                                      3)),
            "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace calvern
