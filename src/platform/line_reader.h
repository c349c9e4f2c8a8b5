// Typed lines cut from the input as it comes, with the bounds that keep a runaway input (a
// device, a stream without line ends) from filling the memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace calvern::platform {

class LineReader {
 public:
  // `fill` replaces its argument with the next piece of input; false at the end of the input.
  explicit LineReader(std::function<bool(std::string&)> fill) : fill_(std::move(fill)) {}

  // The next line without its line end (LF or CR LF); empty once the input has ended. A line
  // keeps at most kMaxLineBytes; a line longer than kMaxDroppedBytes ends the input.
  std::string ReadLine();
  // True after the input ended.
  bool Ended() const { return ended_; }

  // More than any answer accepted, so that an over-long answer is still seen as one.
  static constexpr std::size_t kMaxLineBytes = 8192;
  static constexpr std::size_t kMaxDroppedBytes = 1 << 20;

 private:
  std::function<bool(std::string&)> fill_;
  std::string pending_;
  std::size_t next_ = 0;
  bool atEnd_ = false;
  bool ended_ = false;
};

}  // namespace calvern::platform
