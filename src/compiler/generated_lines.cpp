#include "compiler/generated_lines.h"

namespace calvern {

bool GeneratedLines::SetLine(int n, std::string text) {
  if (n < 0 || n >= kLineCount) return false;
  lines_[n] = std::move(text);
  if (n >= used_) used_ = n + 1;
  return true;
}

bool GeneratedLines::QueueLine(std::string text) {
  if (!SetLine(held_, std::move(text)) || !SetLine(held_ + 1, "#ENDSTRINGINPUT")) return false;
  StartAt(held_);
  return true;
}

bool GeneratedLines::QueueStoredLines(int lineCount) {
  if (!SetLine(lineCount, "#ENDMENUINPUT")) return false;
  StartAt(0);
  return true;
}

void GeneratedLines::StartAt(int n) {
  line_ = n;
  column_ = 0;
  on_ = true;
}

int GeneratedLines::Read() {
  if (line_ >= used_) {
    on_ = false;
    return 13;
  }
  const std::string& text = lines_[line_];
  if (column_ < text.size()) return static_cast<signed char>(text[column_++]);
  ++line_;
  column_ = 0;
  return 13;
}

}  // namespace calvern
