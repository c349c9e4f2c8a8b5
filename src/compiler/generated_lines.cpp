#include "compiler/generated_lines.h"

namespace calvern {

void GeneratedLines::Reset() {
  for (int i = 0; i < used_; ++i) lines_[i].clear();
  used_ = 0;
  line_ = 0;
  column_ = 0;
  on_ = false;
}

bool GeneratedLines::SetLine(int n, std::string text) {
  if (n < 0 || n >= kLineCount) return false;
  lines_[n] = std::move(text);
  if (n >= used_) used_ = n + 1;
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
