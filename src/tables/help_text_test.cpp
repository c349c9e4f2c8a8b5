#include "tables/help_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "tables/character_table.h"
#include "tables/keyword_table.h"

namespace calvern {
namespace {

// The whole manual, upper-cased, for keyword searches.
std::string UpperManual() {
  std::string all;
  for (const HelpSection& section : HelpSections()) {
    all += UpperCase(section.text);
    all += '\n';
  }
  return all;
}

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// True when the manual names the keyword as a word of its own: "#TEXT" is not found inside
// "#TEXT0", nor "DO" inside "DOWN".
bool Mentions(const std::string& manual, std::string_view keyword) {
  for (std::size_t at = manual.find(keyword); at != std::string::npos;
       at = manual.find(keyword, at + 1)) {
    const std::size_t end = at + keyword.size();
    const bool startOk = !IsWordChar(keyword.front()) || at == 0 || !IsWordChar(manual[at - 1]);
    const bool endOk =
        !IsWordChar(keyword.back()) || end == manual.size() || !IsWordChar(manual[end]);
    if (startOk && endOk) return true;
  }
  return false;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

TEST(HelpTextTest, SectionsComeInTheOrderOfTheHelpFile) {
  const std::vector<std::string_view> titles = {"CONTACT",
                                                "BASIC OPERATIONS",
                                                "REGISTER USE",
                                                "I/O Registers on the MK-161",
                                                "BASIC PROGRAMMING",
                                                "ADVANCED PROGRAMMING",
                                                "Other Directives for MK-161",
                                                "File Management",
                                                "Graphic Interface at Low Level",
                                                "Graphic Interface at High Level",
                                                "Optimizations for MK-161",
                                                "Russian notation",
                                                "ERROR MESSAGES",
                                                "COMPILE FOR EMULATOR USE",
                                                "Calling CALVERN as a SLAVE program"};
  const auto sections = HelpSections();
  ASSERT_EQ(sections.size(), titles.size());
  for (std::size_t i = 0; i < titles.size(); ++i) {
    EXPECT_EQ(sections[i].title, titles[i]) << i;
    // Only the section that the writer fills from the I/O register table has no text.
    EXPECT_EQ(sections[i].text.empty(), sections[i].title == kIoRegisterSectionTitle)
        << sections[i].title;
  }
}

// Printable ASCII only, but for the section on Russian, which shows Cyrillic letters and the
// key symbols of the listings (in UTF-8; lines are measured in characters).
TEST(HelpTextTest, LinesAreShortIndentedAsciiWithoutTrailingLineEnd) {
  for (const HelpSection& section : HelpSections()) {
    if (section.text.empty()) continue;
    const bool russian = section.title == kRussianNotationSectionTitle;
    EXPECT_NE(section.text.back(), '\n') << section.title;
    for (std::string_view line : Lines(section.text)) {
      std::u32string characters;
      for (std::size_t pos = 0; pos < line.size();) {
        characters += static_cast<char32_t>(DecodeUtf8(line, pos));
      }
      EXPECT_LE(characters.size(), 90u) << section.title << ": " << line;
      if (line.empty()) continue;
      EXPECT_TRUE(line.starts_with("  ")) << section.title << ": " << line;
      EXPECT_NE(line.back(), ' ') << section.title << ": " << line;
      for (char32_t c : characters) {
        EXPECT_TRUE((c >= 0x20 && c <= 0x7E) || (russian && c >= 0xA0 && c <= 0x10FFFF))
            << section.title << ": " << line;
      }
    }
  }
}

TEST(HelpTextTest, EveryDirectiveIsDocumented) {
  const KeywordTable& table = KeywordTable::BuiltIn();
  const std::string manual = UpperManual();
  for (int i = 1; i < table.GroupStart(kGroupPlainKey); ++i) {
    EXPECT_TRUE(Mentions(manual, table.Keyword(i))) << table.Keyword(i);
  }
}

TEST(HelpTextTest, EveryStructureKeywordIsDocumented) {
  const KeywordTable& table = KeywordTable::BuiltIn();
  const std::string manual = UpperManual();
  for (int i = table.GroupStart(kGroupStructure); i < table.GroupStart(kGroupStructure + 1); ++i) {
    EXPECT_TRUE(Mentions(manual, table.Keyword(i))) << table.Keyword(i);
  }
}

TEST(HelpTextTest, KeywordSearchNeedsAWholeWord) {
  // Guards the two searches above against passing on a longer keyword.
  EXPECT_FALSE(Mentions("#TEXT0 \"A\"", "#TEXT"));
  EXPECT_FALSE(Mentions("UNDO DOWN", "DO"));
  EXPECT_TRUE(Mentions("DO ... LOOP", "DO"));
  EXPECT_TRUE(Mentions("(CASE= $1)", "CASE="));
}

}  // namespace
}  // namespace calvern
