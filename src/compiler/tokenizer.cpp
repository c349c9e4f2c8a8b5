#include "compiler/tokenizer.h"

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
  int lineCount = lineCount_;
  int column = column_;
  bool afterCr = afterCr_;
  std::size_t start = 0;
  while (start < rest.size() && rest[start] >= 0 && rest[start] <= ' ') {
    CountChar(rest[start++], lineCount, column, afterCr);
  }
  if (start == rest.size()) return false;
  const char first = rest[start];
  if (first > '~' || first < 0 || first == ';' || first == '=' || first == '@') return false;
  std::size_t end = start + 1;
  while (end < rest.size() && rest[end] > ' ' && rest[end] <= '~') ++end;
  if (end < rest.size() && (rest[end] < 0 || rest[end] > ' ')) return false;
  tokenLine_ = lineCount;
  tokenColumn_ = column + 1;
  column += static_cast<int>(end - start);
  afterCr = false;
  if (end < rest.size()) CountChar(rest[end], lineCount, column, afterCr);  // the blank after it
  lineCount_ = lineCount;
  column_ = column;
  afterCr_ = afterCr;
  source_.Advance(end < rest.size() ? end + 1 : end);
  token.assign(rest.data() + start, end - start);
  if (upperCase) {
    // Printable ASCII: its letters are all UpperCase changes.
    for (char& c : token) {
      if (static_cast<unsigned char>(c - 'a') < 26u) c = static_cast<char>(c - 'a' + 'A');
    }
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
