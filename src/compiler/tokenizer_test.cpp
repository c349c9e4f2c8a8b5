#include "compiler/tokenizer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "compiler/char_source.h"
#include "tables/keyword_table.h"

namespace calvern {
namespace {

struct Tokenized {
  std::vector<std::string> tokens;
  int lineCount;
};

// Every token up to the end of the text, and the line feeds counted on the way.
Tokenized Tokenize(const std::string& text) {
  MemoryCharSource source(text);
  Tokenizer tokenizer(source);
  Tokenized out{{}, 0};
  for (int guard = 0; guard < 100; ++guard) {
    std::string token = tokenizer.NextToken();
    if (token.empty()) break;
    out.tokens.push_back(token);
  }
  EXPECT_TRUE(tokenizer.AtEnd()) << "an empty token before the end of \"" << text << "\"";
  out.lineCount = tokenizer.LineCount();
  return out;
}

using Tokens = std::vector<std::string>;

TEST(TokenizerTest, SplitsAtBlanksAndKeepsTheSourceCase) {
  EXPECT_EQ(Tokenize("Rcl  abc\tGOTO\r\n12").tokens, (Tokens{"Rcl", "abc", "GOTO", "12"}));
  EXPECT_EQ(Tokenize("   \t\r\n ").tokens, Tokens{});
  EXPECT_EQ(Tokenize("").tokens, Tokens{});
  // In UTF-8 a character above 7F belongs to its token; in an 8-bit source (one that is not
  // UTF-8 throughout) control characters and bytes 80-FF are blanks.
  EXPECT_EQ(Tokenize("AB\xC2\xB2\x43\x44 \xD0\xB6").tokens, (Tokens{"AB²CD", "ж"}));
  EXPECT_EQ(Tokenize("AB\xC2\xB2\x43\x44 \xB6").tokens, (Tokens{"AB", "CD"}));
  EXPECT_EQ(Tokenize("\x80X\x01Y\xFF").tokens, (Tokens{"X", "Y"}));
  // A byte-order mark is skipped; no-break and thin spaces separate tokens.
  EXPECT_EQ(Tokenize("\xEF\xBB\xBF"
                     "F\xC2\xA0x²\xE2\x80\x89↔")
                .tokens,
            (Tokens{"F", "x²", "↔"}));
}

TEST(TokenizerTest, TheLastTokenNeedsNoLineEnd) {
  EXPECT_EQ(Tokenize("GOTO 12").tokens, (Tokens{"GOTO", "12"}));
  EXPECT_EQ(Tokenize("RCL 5").tokens, (Tokens{"RCL", "5"}));  // one character at the very end
  EXPECT_EQ(Tokenize("X").tokens, Tokens{"X"});
  // A lone "=" at the very end is that character, not a shorthand.
  EXPECT_EQ(Tokenize("1 =").tokens, (Tokens{"1", "="}));
}

TEST(TokenizerTest, CommentsStartOnlyWhereATokenWould) {
  EXPECT_EQ(Tokenize("RCL 5;x").tokens, (Tokens{"RCL", "5;x"}));
  EXPECT_EQ(Tokenize("RCL 5 ;x").tokens, (Tokens{"RCL", "5"}));
  EXPECT_EQ(Tokenize("; all of it\nA ;b c\r\nB").tokens, (Tokens{"A", "B"}));
  EXPECT_EQ(Tokenize(";a\n;b\n").tokens, Tokens{});
  EXPECT_EQ(Tokenize("A ;comment at the end").tokens, Tokens{"A"});
  EXPECT_EQ(Tokenize("A ;x\rB").tokens, (Tokens{"A", "B"}));  // a carriage return ends it too
  EXPECT_EQ(Tokenize(";").tokens, Tokens{";"});               // a lone last character is a token
}

TEST(TokenizerTest, EqualsAndAtAreStoreAndRecallAtTheStartOfAToken) {
  EXPECT_EQ(Tokenize("=euro").tokens, (Tokens{"STO", "euro"}));
  EXPECT_EQ(Tokenize("=(index)").tokens, (Tokens{"STO", "(index)"}));
  EXPECT_EQ(Tokenize("@rate").tokens, (Tokens{"RCL", "rate"}));
  EXPECT_EQ(Tokenize("= 5 @ A").tokens, (Tokens{"STO", "5", "RCL", "A"}));
  EXPECT_EQ(Tokenize("=A").tokens, (Tokens{"STO", "A"}));
  EXPECT_EQ(Tokenize("@=x").tokens, (Tokens{"RCL", "STO", "x"}));
  EXPECT_EQ(Tokenize("a=b c@d").tokens, (Tokens{"a=b", "c@d"}));
}

TEST(TokenizerTest, CountsEveryLineFeedItConsumes) {
  EXPECT_EQ(Tokenize("A\nB\n").lineCount, 2);
  EXPECT_EQ(Tokenize("A\r\nB").lineCount, 1);
  EXPECT_EQ(Tokenize("; only a comment\n").lineCount, 1);
  EXPECT_EQ(Tokenize("A ;x\r\n\nB").lineCount, 2);
  EXPECT_EQ(Tokenize("A ;x").lineCount, 0);
  EXPECT_EQ(Tokenize("\n\n\n").lineCount, 3);
  EXPECT_EQ(Tokenize("A\rB").lineCount, 1);          // a carriage return alone ends a line too
  EXPECT_EQ(Tokenize("A\r\n\rB\n\r").lineCount, 4);  // CR LF, CR, LF, CR

  // The line feed that ends a token is consumed with it.
  MemoryCharSource source("A\nB C");
  Tokenizer tokenizer(source);
  EXPECT_EQ(tokenizer.NextToken(), "A");
  EXPECT_EQ(tokenizer.LineCount(), 1);
  EXPECT_EQ(tokenizer.NextToken(), "B");
  EXPECT_EQ(tokenizer.TokenLine(), 1);  // where B starts
  EXPECT_EQ(tokenizer.TokenColumn(), 1);
  EXPECT_EQ(tokenizer.NextToken(), "C");
  EXPECT_EQ(tokenizer.TokenColumn(), 3);
  EXPECT_EQ(tokenizer.LineCount(), 1);
  EXPECT_EQ(tokenizer.NextToken(), "");
}

TEST(TokenizerTest, ShorthandLeavesTheRestForTheNextToken) {
  MemoryCharSource source("=\nx");
  Tokenizer tokenizer(source);
  EXPECT_EQ(tokenizer.NextToken(), "STO");
  EXPECT_EQ(tokenizer.LineCount(), 0);  // the line feed after "=" is not read yet
  EXPECT_EQ(tokenizer.NextToken(), "x");
  EXPECT_EQ(tokenizer.LineCount(), 1);
}

// Random texts of blanks, line ends in every convention, letters, control characters, DEL and a
// Cyrillic letter: each token is the run of non-blank characters it should be, found where it
// stands. Its line counts the line ends before it (CR LF as one) and its column the characters
// since the last of them; after it, the line ends up to the blank that ended it are counted.
// Every other text is read upper-cased, as statements are: the same tokens, as UpperCase gives.
TEST(TokenizerTest, TokensArePlacedWhereTheyStandInRandomTexts) {
  const std::vector<std::string> pieces = {" ", " ", "\t", "\r", "\n", "\r\n", "A", "b", "7",
                                           "#", ":", "\x01", "\x7F", "\xD0\xB6"};
  std::mt19937 random(161);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 24);
    for (int k = 0; k < length; ++k) text += pieces[random() % pieces.size()];

    MemoryCharSource source(text);
    Tokenizer tokenizer(source);
    int lineEnds = 0;  // before `at`
    int column = 0;    // characters since the last line end, before `at`
    std::size_t at = 0;
    auto step = [&] {  // past one character, as a reader counts it
      const auto byte = static_cast<unsigned char>(text[at]);
      if (byte == '\r' || (byte == '\n' && (at == 0 || text[at - 1] != '\r'))) {
        ++lineEnds;
        column = 0;
      } else if (byte != '\n' && (byte & 0xC0) != 0x80) {
        ++column;
      }
      ++at;
    };
    auto blank = [&](std::size_t i) { return static_cast<unsigned char>(text[i]) <= ' '; };
    const bool upper = round % 2 == 1;
    for (;;) {
      while (at < text.size() && blank(at)) step();
      const std::string token = upper ? tokenizer.NextUpperToken() : tokenizer.NextToken();
      if (at == text.size()) {
        EXPECT_EQ(token, "") << "in \"" << text << "\"";
        break;
      }
      const int line = lineEnds;
      const int firstColumn = column + 1;
      const std::size_t start = at;
      while (at < text.size() && !blank(at)) step();
      const std::string expected = text.substr(start, at - start);
      ASSERT_EQ(token, upper ? UpperCase(expected) : expected) << "in \"" << text << "\"";
      EXPECT_EQ(tokenizer.TokenLine(), line) << token << " in \"" << text << "\"";
      EXPECT_EQ(tokenizer.TokenColumn(), firstColumn) << token << " in \"" << text << "\"";
      if (at < text.size()) step();  // the blank that ends the token is read with it
      EXPECT_EQ(tokenizer.LineCount(), lineEnds) << token << " in \"" << text << "\"";
    }
  }
}

}  // namespace
}  // namespace calvern
