// Where the tokenizer takes its characters from: the source text held in memory (read from a
// file by the job that runs the compilation, or given by a test or a fuzzer).
//
// A source is UTF-8 (a leading byte-order mark is skipped) and hands out Unicode characters.
// A text that is not UTF-8 throughout is an old 8-bit source: each byte is one character,
// taken as a signed 8-bit value, so bytes 80-FF come out negative and count as blanks. The
// choice is made for the whole text, because the letters of the 8-bit Cyrillic code pages
// could otherwise pair up into UTF-8 characters here and there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tables/character_table.h"

namespace calvern {

class MemoryCharSource {
 public:
  explicit MemoryCharSource(std::string text) : text_(std::move(text)), utf8_(IsUtf8(text_)) {
    if (utf8_ && text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
  }
  // True once every byte has been read.
  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next character: a Unicode character (0 and up), or in an 8-bit source the next byte
  // as a signed value. Returns 13 (a line end) when called at the end.
  int Read() {
    if (AtEnd()) return 13;
    const auto byte = static_cast<unsigned char>(text_[pos_]);
    if (byte < 0x80) return text_[pos_++];
    if (utf8_) return DecodeUtf8(text_, pos_);
    return static_cast<signed char>(text_[pos_++]);
  }
  // Appends the printable ASCII characters (21-7E) that come next, up to the first other
  // character, and returns how many there were: the body of a token in one step, where Read
  // would hand them out one by one.
  std::size_t ReadPrintableRun(std::string& out) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] > ' ' && text_[pos_] < 0x7F) ++pos_;
    out.append(text_, start, pos_ - start);
    return pos_ - start;
  }
  // The text not read yet, and a step past `count` of its bytes (for a caller that read them
  // itself from that view).
  std::string_view Rest() const { return std::string_view(text_).substr(pos_); }
  void Advance(std::size_t count) { pos_ += count; }
  // Whether the text is read as UTF-8.
  bool Utf8() const { return utf8_; }

 private:
  std::string text_;
  bool utf8_;
  std::size_t pos_ = 0;
};

}  // namespace calvern
