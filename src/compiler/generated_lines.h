// Source text that the compiler writes for itself (SELECT/CASE, routines, menus) and reads back
// before it goes on with the file.
#pragma once

#include <array>
#include <string>

namespace calvern {

class GeneratedLines {
 public:
  static constexpr int kLineCount = 1001;  // lines 0-1000

  void Reset();
  // Stores line n; false when n lies outside the buffer.
  bool SetLine(int n, std::string text);
  // Starts reading at line n, column 1.
  void StartAt(int n);
  void SwitchOff() { on_ = false; }
  bool On() const { return on_; }
  // The next character of the current line (signed); 13 at the end of each line. Reading past
  // the last line stored switches the buffer off, so the file takes over again.
  int Read();

 private:
  std::array<std::string, kLineCount> lines_;
  int used_ = 0;  // lines 0 to used_ - 1 hold text
  int line_ = 0;
  std::size_t column_ = 0;
  bool on_ = false;
};

}  // namespace calvern
