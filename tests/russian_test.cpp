// End-to-end: Russian in sources. Programs typed from the listings of a calculator manual, a
// whole Russian menu program compared with its expected listing, and what slave mode reports
// about texts the calculator cannot show.
#include <gtest/gtest.h>

#include <map>

#include "slave_run.h"

namespace calvern_test {
namespace {

std::string SourceFile(const std::string& path) {
  std::ifstream in(fs::path(CALVERN_SOURCE_DIR) / path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

struct ListingRow {
  int step;
  std::string keys;
  std::string code;
};

// The rows of a manual's listing: step, keys in the manual's notation, code (tab-separated,
// a header line first).
std::vector<ListingRow> ManualListing(const std::string& name) {
  std::istringstream in(SourceFile("tests/data/listings/" + name));
  std::vector<ListingRow> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    rows.push_back({std::stoi(line.substr(0, tab1)), line.substr(tab1 + 1, tab2 - tab1 - 1),
                    line.substr(tab2 + 1)});
  }
  return rows;
}

// The code of each used step, from the program zone of a listing.
std::map<int, std::string> ListedCodes(const std::string& listing) {
  std::map<int, std::string> codes;
  int rules = 0;
  for (const std::string& line : ListingLines(listing)) {
    // The program zone lies between the rule under its header and the next rule.
    if (line == "-------------------------" && ++rules == 2) break;
    if (line.size() > 13 && line[0] == ' ' && line.substr(6, 5) == "  |  ") {
      codes[std::stoi(line.substr(2, 4))] = line.substr(11, 2);
    }
  }
  return codes;
}

// A program typed from the manual as its listing prints it, one step a line. A fragment that
// starts at a later step is moved there with no-operation steps (К НОП) in front.
TEST(Russian, ManualListingsCompileToTheirCodes) {
  for (const char* name :
       {"mk52-manual-table07-circle-area.tsv", "mk52-manual-table10-gsb-fragment.tsv",
        "mk52-manual-table13-quadratic-gsb-indirect.tsv"}) {
    SCOPED_TRACE(name);
    const std::vector<ListingRow> rows = ManualListing(name);
    ASSERT_FALSE(rows.empty());
    std::string source;
    int step = 0;
    for (const ListingRow& row : rows) {
      for (; step < row.step; ++step) source += "К НОП\r\n";
      source += row.keys + "\r\n";
      step = row.step + 1;
    }
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, source, false);
    ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
    const std::map<int, std::string> codes = ListedCodes(dir.Read("prog.LST"));
    for (const ListingRow& row : rows) {
      auto it = codes.find(row.step);
      ASSERT_NE(it, codes.end()) << "step " << row.step;
      EXPECT_EQ(it->second, row.code) << "step " << row.step << ": " << row.keys;
    }
  }
}

// One menu with Russian texts, a Cyrillic label and register name, and a Cyrillic file name on
// the calculator's disk: the codes of the letters, the title centred by their widths, the
// label and register tables in UTF-8.
TEST(Russian, WholeMenuProgramListing) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, SourceFile("tests/data/russian_menu.txt"), false);
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  EXPECT_EQ(run.errorOutput, "");
  EXPECT_EQ(dir.Read("prog.LST"), SourceFile("tests/data/russian_menu.LST"));
}

// Characters without a calculator code or a glyph, and old 8-bit sources, which keep their
// rule: bytes 80-FF are blanks outside texts and end a text as "not closed".
TEST(Russian, Reports) {
  struct Case {
    std::string source;
    int exitCode;
    std::string errorOutput;
  } cases[] = {
      {"ENT\r\n#TEXT \"цена 5€\"\r\n", 10,
       CompilationReport("ERROR at line 2    character '€' has no calculator code ")},
      {"ENT\r\nСЧЁТЧИК 5\r\n", 10,
       CompilationReport("ERROR at line 2    unknown instruction СЧЁТЧИК ")},
      {"#MENU\r\n#STRING 2 \"12 Я\"\r\n#ACTION \"a\" x\r\n#ENDMENU\r\nx: RTN\r\n#MENUMAINLOOP "
       "5\r\n",
       0, "Compilation: WARNING: no glyph for 'Я' in font 2, line 2\n"},
      {"ENT\r\n#TEXT \"\xC6\xE0\"\r\n", 10,
       CompilationReport("ERROR at line 2    String not closed in #TEXT ")},
      {"ENT\xD6\xE8\xEA\xEB"
       "ENT\r\n",
       0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    TempDir dir;
    RunResult run = CompileInSlaveMode(dir, c.source);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.errorOutput, c.errorOutput);
  }
}

}  // namespace
}  // namespace calvern_test
