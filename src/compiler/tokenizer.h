// Cuts the character stream into blank-separated tokens on demand, skipping ";" comments and
// turning a leading "=" into STO and a leading "@" into RCL. Counts line feeds for messages.
#pragma once

#include <string>

#include "compiler/char_source.h"

namespace calvern {

class Tokenizer {
 public:
  explicit Tokenizer(CharSource& source) : source_(source) {}

  // True when no character is left.
  bool AtEnd() const { return source_.AtEnd(); }
  // The next character value (signed). Does not count line feeds: callers that skip blanks
  // themselves count them with CountLineFeed.
  int ReadSourceChar() { return source_.Read(); }
  void CountLineFeed(int c) {
    if (c == 10) ++LineCount;
  }

  // The next token with the case of the source, or "" when the input ends before one starts.
  std::string NextToken();

  // Line feeds consumed since the start of the compilation.
  int LineCount = 0;

 private:
  CharSource& source_;
};

}  // namespace calvern
