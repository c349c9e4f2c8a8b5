// Cuts the character stream into blank-separated tokens on demand, skipping ";" comments and
// turning a leading "=" into STO and a leading "@" into RCL. Counts line feeds for messages.
// Tokens are UTF-8 texts.
#pragma once

#include <string>

#include "compiler/char_source.h"
#include "compiler/generated_lines.h"

namespace calvern {

// Characters that separate tokens: every value of 32 or less (the bytes 80-FF of an 8-bit
// source included, which come negative) and the Unicode spaces that text copied from a page
// may carry (no-break and thin spaces, the byte-order mark).
constexpr bool IsBlank(int c) {
  return c <= 32 || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) || c == 0x202F || c == 0x205F ||
         c == 0x3000 || c == 0xFEFF;
}

// One character of a quoted text.
struct TextChar {
  int value = 0;
  bool code = false;  // a calculator code (generated text), not a source character
};

class Tokenizer {
 public:
  explicit Tokenizer(MemoryCharSource& source) : source_(source) {}

  // True when no character is left: the file is read to its end and no generated text waits.
  // (Generated text is read even when its statement was the last of the file.)
  bool AtEnd() const { return !generated_.On() && source_.AtEnd(); }
  // The next character value (signed), from the generated lines while they are on, else from
  // the file. Line feeds read through here are counted.
  // Inline: every character of the source passes through here.
  int ReadSourceChar() {
    if (generated_.On()) return generated_.Read();
    if (source_.AtEnd()) return source_.Read();
    const int c = source_.Read();
    CountChar(c, lineCount_, column_, afterCr_);
    return c;
  }
  // The next character inside a quoted text: from the file a character as ReadSourceChar gives
  // it, from generated text a calculator code. A line end there is an error, so it is not
  // counted; the column moves on, so that a bad character can be pointed at.
  TextChar ReadTextChar();

  // The next token with the case of the source, or "" when the input ends before one starts.
  // A character of an 8-bit source above 7F is a blank, so tokens are always UTF-8.
  std::string NextToken();
  // The next token upper-cased as keywords, labels and names compare (UpperCase).
  std::string NextUpperToken();
  // Skips blanks and returns the next character, or 0 when the input ends first.
  int SkipBlanks();

  // Line ends read since the start of the compilation: LF, CR LF and a CR alone each end a
  // line, so a file counts its lines alike in every line-end convention.
  int LineCount() const { return lineCount_; }
  // Where the first character of the last token stood: its line as a count of line ends
  // before it, and its column counted from 1 (0 for a token of generated text). After the end
  // of the input: where the input ended.
  int TokenLine() const { return tokenLine_; }
  int TokenColumn() const { return tokenColumn_; }
  // The column of the last character read from the file, counted from 1.
  int Column() const { return column_; }

  GeneratedLines& Generated() { return generated_; }
  const GeneratedLines& Generated() const { return generated_; }

 private:
  // Reads the next token into `token` when it is the common case, straight from the file's
  // text, upper-cased when asked; false (and nothing read) otherwise.
  bool ReadPlainToken(std::string& token, bool upperCase);
  // Counts one character of the file read, as ReadSourceChar does.
  static void CountChar(int c, int& lineCount, int& column, bool& afterCr) {
    if (c == 13 || (c == 10 && !afterCr)) {
      ++lineCount;
      column = 0;
    } else if (c != 10) {
      ++column;
    }
    afterCr = c == 13;
  }

  MemoryCharSource& source_;
  GeneratedLines generated_;
  int lineCount_ = 0;
  int column_ = 0;        // characters of the file read since its last line end
  bool afterCr_ = false;  // the last character of the file read was a CR
  int tokenLine_ = 0;
  int tokenColumn_ = 0;
};

}  // namespace calvern
