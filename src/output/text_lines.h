// Text files of lines: the listing, the help file and the settings file are written with
// CR LF line ends; settings, info and language files are read line by line whatever their
// line ends.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace calvern {

// Builds a text of lines, each ending with CR LF: kept whole for Take, or handed a part at a
// time to a sink, so that a long text (a listing of thousands of lines) is never held whole.
class CrlfText {
 public:
  // Where the parts go; false when a part could not be written.
  using Sink = std::function<bool(std::string_view part)>;

  CrlfText() = default;
  // Hands the text to `sink` whenever it holds at least `partSize` bytes; Finish hands over
  // the rest.
  CrlfText(Sink sink, std::size_t partSize) : sink_(std::move(sink)), partSize_(partSize) {}

  void Add(std::string_view line) {
    text_.append(line);
    EndLine();
  }
  // A line of pieces, appended one after another without building the line first.
  void Add(std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) text_.append(piece);
    EndLine();
  }
  // Whole lines, each already ending with CR LF.
  void AddLines(std::string_view lines) {
    text_.append(lines);
    if (text_.size() >= partSize_) HandOver();
  }
  void Reserve(std::size_t size) { text_.reserve(size); }
  std::string Take() { return std::move(text_); }
  // Hands the rest to the sink; false when any part could not be written (the parts after a
  // failed one are dropped).
  bool Finish() {
    HandOver();
    return written_;
  }

 private:
  void EndLine() {
    text_.push_back('\r');
    text_.push_back('\n');
    if (text_.size() >= partSize_) HandOver();
  }
  void HandOver() {
    if (!sink_) return;
    if (written_ && !text_.empty()) written_ = sink_(text_);
    text_.clear();
  }

  std::string text_;
  Sink sink_;
  std::size_t partSize_ = static_cast<std::size_t>(-1);  // a text kept whole is never handed over
  bool written_ = true;
};

// The lines of a text, split at LF with a CR before it removed; a last line without its end
// counts too.
inline std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace calvern
