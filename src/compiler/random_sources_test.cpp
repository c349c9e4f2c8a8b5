// Bad input never crashes the compiler: random sources made of keywords, operands and stray
// characters always end in success or in a reported error (the sanitizer build checks memory).
#include <gtest/gtest.h>

#include <random>

#include "compiler/compile_testing.h"

namespace calvern {
namespace {

std::string RandomSource(std::mt19937& random) {
  static const char* const kPieces[] = {"ENT",
                                        "RCL",
                                        "STO",
                                        "=",
                                        "@",
                                        "GOTO",
                                        "GSB",
                                        "L0",
                                        "x<0",
                                        "RTN",
                                        "$",
                                        "$-1.5E-3",
                                        "$1E",
                                        "label:",
                                        "!label:",
                                        ":",
                                        "label",
                                        "(5)",
                                        "(15)",
                                        "(120)",
                                        "(",
                                        "()",
                                        "\\GMode",
                                        "00",
                                        "9999",
                                        "10000",
                                        "123456789012345678901",
                                        "#reg",
                                        "#OPTIM",
                                        "#FirstLine",
                                        "#MKFiles",
                                        "#LabelList",
                                        "#BINARY",
                                        "#PROGRAM",
                                        "#DECIMAL",
                                        "#BLOCK",
                                        "#BASE",
                                        "#TEXT",
                                        "\"AB\"",
                                        "\"",
                                        "#TEXTN",
                                        "#FILENAME",
                                        "#FILENAMEID",
                                        "#NUM",
                                        "#NUM2",
                                        "#DB",
                                        "#DW",
                                        "#DL",
                                        "#DWK",
                                        "#INITB",
                                        "#DAL",
                                        "#DAF",
                                        "#DAFK",
                                        "#OFFSET",
                                        "#END",
                                        "#MOVE",
                                        "\"PU\"",
                                        "#REGTOBIN",
                                        "#ADDFINDFILE",
                                        "#FINDFILE",
                                        "#RCLXtoI",
                                        "#STOItoX",
                                        "FOR",
                                        "NEXT",
                                        "DO",
                                        "LOOP",
                                        "REPEAT",
                                        "UNTIL(x=0)",
                                        "WHILE(x<0)",
                                        "IF(x<0)THEN",
                                        "!IF(x=0)THEN",
                                        "ELSE",
                                        "ENDIF",
                                        "SUM",
                                        "MUL",
                                        "SELECT",
                                        "CASE=",
                                        "CASE<",
                                        "DEFAULT",
                                        "ENDSELECT",
                                        "#EndSTringInput",
                                        "#ENDMENUINPUT",
                                        "#?reg",
                                        "0",
                                        "1",
                                        "3",
                                        "7",
                                        "255",
                                        "-1",
                                        ">",
                                        ";comment\n",
                                        "\n",
                                        "\r\n",
                                        "\t",
                                        "\xFB",
                                        "#DEFGRAPH"};
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> length(0, 60);
  std::string source;
  for (int n = length(random); n > 0; --n) {
    source += kPieces[piece(random)];
    source += random() % 4 == 0 ? "" : " ";
  }
  return source;
}

TEST(RandomSources, EndInSuccessOrAReportedError) {
  TestCompiler compilation;
  std::mt19937 random(20261207);
  int failures = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string source = RandomSource(random);
    if (compilation.CompileText(source) == 0) continue;
    ++failures;
    const std::string& outcome = compilation.Status[1];
    bool reported = outcome.starts_with("ERROR at line ") || outcome.starts_with("End of file: ") ||
                    outcome.starts_with("Error: unresolved reference ");
    ASSERT_TRUE(reported) << "source: " << source << "\nstatus 1: " << outcome;
    // Error details start with blanks (two for #RCLXtoI and #STOItoX, three elsewhere).
    if (outcome.starts_with("ERROR")) {
      ASSERT_TRUE(compilation.Status[2].starts_with("  ")) << source << "\n"
                                                           << compilation.Status[2];
    }
  }
  EXPECT_GT(failures, 100) << "the generator should reach the error paths";
}

}  // namespace
}  // namespace calvern
