// Source text that the compiler writes for itself (SELECT/CASE, routines, menus) and reads back
// before it goes on with the file.
#pragma once

#include <array>
#include <string>

namespace calvern {

class GeneratedLines {
 public:
  static constexpr int kLineCount = 1001;  // lines 0-1000

  // Queues one line followed by "#ENDSTRINGINPUT", after the lines held for the menu generator.
  // False when it does not fit the buffer.
  [[nodiscard]] bool QueueLine(std::string text);
  // Queues lines 0 to lineCount - 1, which the caller stored, followed by "#ENDMENUINPUT".
  [[nodiscard]] bool QueueStoredLines(int lineCount);
  // Stores line n for a later QueueStoredLines; false when n lies outside the buffer.
  [[nodiscard]] bool SetLine(int n, std::string text);
  // Keeps lines 0 to count - 1 for text being collected, so that QueueLine writes after them.
  void HoldLines(int count) { held_ = count; }
  void SwitchOff() { on_ = false; }
  bool On() const { return on_; }
  // The next character of the current line (signed); 13 at the end of each line. Reading past
  // the last line stored switches the buffer off, so the file takes over again.
  int Read();

 private:
  void StartAt(int n);

  std::array<std::string, kLineCount> lines_;
  int used_ = 0;  // lines 0 to used_ - 1 hold text
  int held_ = 0;
  int line_ = 0;
  std::size_t column_ = 0;
  bool on_ = false;
};

}  // namespace calvern
