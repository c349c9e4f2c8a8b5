#include "compiler/tokenizer.h"

namespace calvern {

std::string Tokenizer::NextToken() {
  int c = 0;
  for (;;) {
    // Skip blanks: every character value of 32 or less, bytes 80-FF included.
    while (!AtEnd() && c <= 32) {
      c = ReadSourceChar();
      CountLineFeed(c);
    }
    TokenLine = LineCount;
    if (AtEnd()) {
      // A one-character token standing at the very end of the input.
      return c > 32 ? std::string(1, static_cast<char>(c)) : std::string();
    }
    if (c == '=') return "STO";  // =reg stores; the rest of the text is the next token
    if (c == '@') return "RCL";  // @reg recalls
    if (c != ';') break;
    // A comment runs to the end of the line.
    while (!AtEnd() && c != 13 && c != 10) c = ReadSourceChar();
    CountLineFeed(c);
    if (AtEnd()) return std::string();
    c = 0;
  }
  std::string token(1, static_cast<char>(c));
  while (!AtEnd()) {
    c = ReadSourceChar();
    if (c <= 32) {
      CountLineFeed(c);
      break;
    }
    token.push_back(static_cast<char>(c));
  }
  return token;
}

}  // namespace calvern
