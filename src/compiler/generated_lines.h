// Source text that the compiler writes for itself (SELECT/CASE, routines, menus) and reads back
// before it goes on with the file. Its names and tokens are UTF-8 like a source's; its quoted
// texts are calculator codes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace calvern {

class GeneratedLines {
 public:
  static constexpr int kLineCount = 1001;  // lines 0-1000

  // Queues one line followed by "#ENDSTRINGINPUT". Read next, before anything else: after the
  // lines held for the menu generator, or, when generated text is being read (a generated
  // statement that generates), after every stored line, so that no line still waiting is
  // overwritten; reading comes back to the interrupted text after it. False when it does not
  // fit the buffer.
  [[nodiscard]] bool QueueLine(std::string text);
  // Queues lines 0 to lineCount - 1, which the caller stored, followed by "#ENDMENUINPUT".
  // False when it does not fit, or when generated text is being read.
  [[nodiscard]] bool QueueStoredLines(int lineCount);
  // Stores line n, or adds text to its end, for a later QueueStoredLines; false when n lies
  // outside the buffer.
  [[nodiscard]] bool SetLine(int n, std::string text);
  [[nodiscard]] bool AppendToLine(int n, std::string_view text);
  const std::string& Line(int n) const {
    static const std::string kNone;
    return static_cast<std::size_t>(n) < lines_.size() ? lines_[n] : kNone;
  }
  // Keeps lines 0 to count - 1 for text being collected, so that QueueLine writes after them.
  void HoldLines(int count);
  // Ends the generated text being read ("#ENDSTRINGINPUT", "#ENDMENUINPUT"): reading goes back
  // to the generated text it interrupted, or to the file.
  void SwitchOff();
  bool On() const { return on_; }
  // The next character of the current line, read as UTF-8 (a byte that is none counts as a
  // blank); 13 at the end of each line. Reading past the last line stored switches the buffer
  // off, so the file takes over again.
  int Read();
  // The next byte 0-255 of the current line, read as Read reads: inside a quoted text, where
  // generated lines hold calculator codes rather than UTF-8 (the user's texts were mapped when
  // they were read, and a generated text may carry codes no source character gives).
  int ReadByte();

 private:
  struct Position {
    int line = 0;
    std::size_t column = 0;
  };
  void StartAt(int n);
  void StopReading();
  // The current line at the reading position, or nullptr at its end (the position then moves
  // to the next line) or past the last line (reading stops).
  const std::string* LineAtColumn();
  // Line n (0 to kLineCount - 1) to write: the buffer grows as far as lines are written, so a
  // program that generates none does not pay for a thousand empty lines.
  std::string& Writable(int n) {
    if (static_cast<std::size_t>(n) >= lines_.size()) lines_.resize(n + 1);
    return lines_[n];
  }

  std::vector<std::string> lines_;
  int used_ = 0;  // lines 0 to used_ - 1 hold text (and exist in lines_)
  int held_ = 0;
  Position at_;
  bool on_ = false;
  std::vector<Position> interrupted_;  // generated texts waiting for a nested one to end
};

}  // namespace calvern
