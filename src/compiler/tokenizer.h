// Cuts the character stream into blank-separated tokens on demand, skipping ";" comments and
// turning a leading "=" into STO and a leading "@" into RCL. Counts line feeds for messages.
#pragma once

#include <string>

#include "compiler/char_source.h"
#include "compiler/generated_lines.h"

namespace calvern {

class Tokenizer {
 public:
  explicit Tokenizer(CharSource& source) : source_(source) {}

  // True when no character is left: the file is read to its end and no generated text waits.
  // (Generated text is read even when its statement was the last of the file.)
  bool AtEnd() const { return !Generated.On() && source_.AtEnd(); }
  // The next character value (signed), from the generated lines while they are on, else from
  // the file. Does not count line feeds: callers that skip blanks themselves count them with
  // CountLineFeed.
  int ReadSourceChar() { return Generated.On() ? Generated.Read() : source_.Read(); }
  void CountLineFeed(int c) {
    if (c == 10) ++LineCount;
  }

  // The next token with the case of the source, or "" when the input ends before one starts.
  std::string NextToken();

  // Line feeds consumed since the start of the compilation.
  int LineCount = 0;
  // LineCount when the first character of the last token was read: the token's own line.
  int TokenLine = 0;
  GeneratedLines Generated;

 private:
  CharSource& source_;
};

}  // namespace calvern
