// Where the tokenizer takes its characters from: a source file, or text in memory (tests,
// fuzzing, generated programs). Each byte is one character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace calvern {

// Far more than the calculator's 10 000 steps can come from, however verbose the source.
inline constexpr std::size_t kMaxSourceBytes = 64u << 20;

class CharSource {
 public:
  virtual ~CharSource() = default;
  // True once every byte has been read.
  virtual bool AtEnd() const = 0;
  // The next byte taken as a signed 8-bit value, so bytes 80-FF come out negative and count as
  // blanks to the tokenizer. Returns 13 (a line end) when called at the end.
  virtual int Read() = 0;
};

// Characters from a text held in memory.
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

// The whole content of a file, or nothing when it cannot be opened or read, or holds more than
// `maxBytes` (a device or a runaway file must not eat the memory). The compiler reads a source
// completely before compiling, so nothing it writes meanwhile can disturb the reading.
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::size_t maxBytes = kMaxSourceBytes);

}  // namespace calvern
