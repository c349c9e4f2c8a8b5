// Where the tokenizer takes its characters from: the source text held in memory (read from a
// file by the job that runs the compilation, or given by a test or a fuzzer). Each byte is one
// character.
#pragma once

#include <cstddef>
#include <string>

namespace calvern {

class CharSource {
 public:
  virtual ~CharSource() = default;
  // True once every byte has been read.
  virtual bool AtEnd() const = 0;
  // The next byte taken as a signed 8-bit value, so bytes 80-FF come out negative and count as
  // blanks to the tokenizer. Returns 13 (a line end) when called at the end.
  virtual int Read() = 0;
};

class MemoryCharSource : public CharSource {
 public:
  explicit MemoryCharSource(std::string text) : text_(std::move(text)) {}
  bool AtEnd() const override { return pos_ >= text_.size(); }
  int Read() override {
    if (AtEnd()) return 13;
    return static_cast<signed char>(text_[pos_++]);
  }

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

}  // namespace calvern
