#include "shell/help_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/compile.h"
#include "output/text_lines_testing.h"
#include "tables/help_text.h"
#include "tables/io_register_table.h"

namespace calvern {
namespace {

std::size_t Indent(const std::string& line) { return line.find_first_not_of(' '); }

// The manual's examples: a line "Example:" followed by the lines indented deeper than it, up
// to an empty line. Each is a complete program.
std::vector<std::string> ManualExamples() {
  std::vector<std::string> lines = CrlfLines(HelpFileText()), examples;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty() || lines[i].substr(Indent(lines[i])) != "Example:") continue;
    std::string program;
    for (std::size_t j = i + 1;
         j < lines.size() && !lines[j].empty() && Indent(lines[j]) > Indent(lines[i]); ++j) {
      program += lines[j] + "\r\n";
    }
    examples.push_back(program);
  }
  return examples;
}

TEST(HelpFile, EveryExampleCompilesAsPrinted) {
  std::vector<std::string> examples = ManualExamples();
  EXPECT_GE(examples.size(), 20u) << "the examples are marked with \"Example:\"";
  for (const std::string& example : examples) {
    EXPECT_FALSE(example.empty()) << "an Example: line without its program";
    CompileResult result = CompileProgram(example);
    EXPECT_TRUE(result.Ok()) << example << (result.error ? result.error->detail : "");
  }
}

TEST(HelpFile, TitlesAreUnderlinedAndInOrder) {
  std::vector<std::string> lines = CrlfLines(HelpFileText());
  ASSERT_GT(lines.size(), 10u);
  EXPECT_EQ(lines[0], "  Help file for Calvern V1.09 11/2015");
  EXPECT_EQ(lines[1], "  " + std::string(35, '-'));
  EXPECT_EQ(lines[2], "");
  std::vector<std::string> titles;
  for (std::size_t i = 3; i + 1 < lines.size(); ++i) {
    const std::string& next = lines[i + 1];
    if (next.size() > 2 && next == "  " + std::string(next.size() - 2, '-') &&
        lines[i].size() == next.size() && lines[i + 2].empty()) {
      titles.push_back(lines[i].substr(2));
    }
  }
  std::vector<std::string> expected;
  for (const HelpSection& section : HelpSections()) expected.emplace_back(section.title);
  EXPECT_EQ(titles, expected);
  std::vector<std::string> ending(lines.end() - 6, lines.end());
  EXPECT_NE(ending[0], "") << "the last section's text comes right before the four empty lines";
  EXPECT_EQ(std::vector<std::string>(ending.begin() + 1, ending.end()),
            (std::vector<std::string>{"", "", "", "", "  -- END OF FILE --"}));
}

TEST(HelpFile, IoRegisterSectionHasOneBlockPerRegister) {
  std::vector<std::string> lines = CrlfLines(HelpFileText());
  auto at = std::find(lines.begin(), lines.end(), "  I/O Registers on the MK-161");
  ASSERT_NE(at, lines.end());
  std::size_t i = at - lines.begin() + 3;
  for (const IoRegisterRecord& record : IoRegisterTable()) {
    ASSERT_LT(i, lines.size());
    EXPECT_EQ(lines[i++], "  " + std::to_string(record.number) + "  " + std::string(record.name));
    int descriptionLines = 0;
    while (i < lines.size() && lines[i].starts_with("    - ")) ++i, ++descriptionLines;
    EXPECT_GE(descriptionLines, 1) << record.name;
    EXPECT_EQ(lines[i++], "") << "each block ends with an empty line: " << record.name;
  }
  EXPECT_EQ(lines[i], "  BASIC PROGRAMMING") << "the last block's empty line ends the section";
}

// The table of Russian key names says what the compiler does: each row's keys, with a step
// address 42 for nn and register 5 for r, compile to the row's code.
TEST(HelpFile, RussianNotationTableMatchesTheCompiler) {
  std::vector<std::string> lines = CrlfLines(HelpFileText());
  auto at = std::find(lines.begin(), lines.end(), "     Keys          Instruction   Code");
  ASSERT_NE(at, lines.end());
  int rows = 0;
  for (++at; at != lines.end() && at->starts_with("     "); ++at, ++rows) {
    // Columns: keys, instruction, code, separated by two blanks or more.
    std::vector<std::string> columns;
    for (std::size_t pos = 5; pos < at->size();) {
      std::size_t end = at->find("  ", pos);
      if (end == std::string::npos) end = at->size();
      columns.push_back(at->substr(pos, end - pos));
      pos = at->find_first_not_of(' ', end);
    }
    ASSERT_EQ(columns.size(), 3u) << *at;
    // nn and r stand for an operand: step 42 (the byte 42) and register 5 (the digit 5).
    auto withOperands = [](std::string text) {
      if (text.ends_with(" nn")) text.replace(text.size() - 2, 2, "42");
      if (text.ends_with("r")) text.back() = '5';
      return text;
    };
    const std::string code = withOperands(columns[2]);
    CompileResult result = CompileProgram(withOperands(columns[0]));
    ASSERT_TRUE(result.Ok()) << *at;
    std::string compiled;
    for (int step = 0; step < result.program.firstFreeStep; ++step) {
      compiled += (step ? " " : "") + result.program.image.CodeText(step);
    }
    EXPECT_EQ(compiled, code) << *at;
  }
  EXPECT_GE(rows, 60);
}

}  // namespace
}  // namespace calvern
