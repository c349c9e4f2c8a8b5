#include "compiler/tokenizer.h"

#include <cstring>

#include "tables/keyword_table.h"

namespace calvern {

TextChar Tokenizer::ReadTextChar() {
  if (generated_.On()) return {generated_.ReadByte(), true};
  const int c = source_.Read();
  if (c != 10 && c != 13) ++column_;
  return {c, false};
}

int Tokenizer::SkipBlanks() {
  int c = 0;
  while (!AtEnd() && IsBlank(c)) c = ReadSourceChar();
  return IsBlank(c) ? 0 : c;
}

bool Tokenizer::ReadPlainToken(std::string& token, bool upperCase) {
  // The common case: ASCII blanks, then printable ASCII up to an ASCII blank or the end of the
  // file. Generated text, a comment, "=" or "@", and any byte beyond ASCII go the general way.
  if (generated_.On()) return false;
  const std::string_view rest = source_.Rest();
  const char* const end = rest.data() + rest.size();
  const char* first = rest.data();
  int lineCount = lineCount_;
  int column = column_;
  bool afterCr = afterCr_;
  while (first < end && static_cast<unsigned char>(*first) <= ' ') {
    CountChar(*first++, lineCount, column, afterCr);
  }
  if (first == end) return false;
  if (*first == ';' || *first == '=' || *first == '@') return false;
  // Printable ASCII is 21-7E: one unsigned comparison per character.
  const auto printable = [](char c) { return static_cast<unsigned char>(c - 0x21) < 0x5E; };
  if (!printable(*first)) return false;
  const char* last = first + 1;
  while (last < end && printable(*last)) ++last;
  if (last < end && static_cast<unsigned char>(*last) > ' ') return false;
  const auto length = static_cast<std::size_t>(last - first);
  tokenLine_ = lineCount;
  tokenColumn_ = column + 1;
  column += static_cast<int>(length);
  afterCr = false;
  const char* next = last;
  if (next < end) CountChar(*next++, lineCount, column, afterCr);  // the blank after it
  lineCount_ = lineCount;
  column_ = column;
  afterCr_ = afterCr;
  source_.Advance(static_cast<std::size_t>(next - rest.data()));
  token.resize(length);
  char* out = token.data();
  if (upperCase) {
    // Printable ASCII: its letters are all UpperCase changes.
    for (const char* c = first; c < last; ++c) {
      *out++ = static_cast<unsigned char>(*c - 'a') < 26u ? static_cast<char>(*c - 'a' + 'A') : *c;
    }
  } else {
    std::memcpy(out, first, length);
  }
  return true;
}

std::string Tokenizer::NextUpperToken() {
  std::string token;
  if (ReadPlainToken(token, true)) return token;
  token = NextToken();
  UpperCaseInPlace(token);
  return token;
}

std::string Tokenizer::NextToken() {
  std::string token;
  if (ReadPlainToken(token, false)) return token;
  int c = 0;
  for (;;) {
    // Skip blanks: every character value of 32 or less, bytes 80-FF of an 8-bit source
    // included.
    while (!AtEnd() && IsBlank(c)) c = ReadSourceChar();
    tokenLine_ = lineCount_;
    tokenColumn_ = generated_.On() ? 0 : column_;
    if (AtEnd()) {
      // A one-character token standing at the very end of the input.
      return IsBlank(c) ? std::string() : Utf8(static_cast<char32_t>(c));
    }
    if (c == '=') return "STO";  // =reg stores; the rest of the text is the next token
    if (c == '@') return "RCL";  // @reg recalls
    if (c != ';') break;
    // A comment runs to the end of the line.
    while (!AtEnd() && c != 13 && c != 10) c = ReadSourceChar();
    if (AtEnd()) return std::string();
    c = 0;
  }
  if (c < 0x80) {
    token.push_back(static_cast<char>(c));
  } else {
    AppendUtf8(token, static_cast<char32_t>(c));
  }
  while (!AtEnd()) {
    if (!generated_.On()) {
      // Most of a token is printable ASCII: take it in one step. None of it ends a line.
      const std::size_t run = source_.ReadPrintableRun(token);
      column_ += static_cast<int>(run);
      if (run > 0) afterCr_ = false;
      if (AtEnd()) break;
    }
    c = ReadSourceChar();
    if (IsBlank(c)) break;
    AppendUtf8(token, static_cast<char32_t>(c));
  }
  return token;
}

}  // namespace calvern
