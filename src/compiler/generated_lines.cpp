#include "compiler/generated_lines.h"

#include "tables/character_table.h"

namespace calvern {

bool GeneratedLines::SetLine(int n, std::string text) {
  if (n < 0 || n >= kLineCount) return false;
  Writable(n) = std::move(text);
  if (n >= used_) used_ = n + 1;
  return true;
}

bool GeneratedLines::AppendToLine(int n, std::string_view text) {
  if (n < 0 || n >= kLineCount) return false;
  Writable(n) += text;
  if (n >= used_) used_ = n + 1;
  return true;
}

void GeneratedLines::HoldLines(int count) {
  held_ = count;
  // Lines held are lines stored, so that every line below used_ exists.
  if (static_cast<std::size_t>(count) > lines_.size()) lines_.resize(count);
  if (!on_) used_ = held_;
}

bool GeneratedLines::QueueLine(std::string text) {
  // Lines from used_ on hold nothing that waits: the nested text goes there.
  const int start = on_ ? used_ : held_;
  if (start + 1 >= kLineCount) return false;
  if (on_) interrupted_.push_back(at_);
  (void)SetLine(start, std::move(text));
  (void)SetLine(start + 1, "#ENDSTRINGINPUT");
  StartAt(start);
  return true;
}

bool GeneratedLines::QueueStoredLines(int lineCount) {
  if (on_ || !SetLine(lineCount, "#ENDMENUINPUT")) return false;
  StartAt(0);
  return true;
}

void GeneratedLines::StartAt(int n) {
  at_ = {n, 0};
  on_ = true;
}

void GeneratedLines::SwitchOff() {
  if (interrupted_.empty()) return StopReading();
  at_ = interrupted_.back();
  interrupted_.pop_back();
}

// Back to the file: the lines past the held ones are free again.
void GeneratedLines::StopReading() {
  on_ = false;
  interrupted_.clear();
  used_ = held_;
}

const std::string* GeneratedLines::LineAtColumn() {
  if (at_.line >= used_) {
    StopReading();
    return nullptr;
  }
  const std::string& text = lines_[at_.line];
  if (at_.column < text.size()) return &text;
  ++at_.line;
  at_.column = 0;
  return nullptr;
}

int GeneratedLines::Read() {
  const std::string* text = LineAtColumn();
  if (text == nullptr) return 13;
  const int c = DecodeUtf8(*text, at_.column);
  return c >= 0 ? c : -1;
}

int GeneratedLines::ReadByte() {
  const std::string* text = LineAtColumn();
  if (text == nullptr) return 13;
  return static_cast<unsigned char>((*text)[at_.column++]);
}

}  // namespace calvern
