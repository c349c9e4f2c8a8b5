#include "platform/line_reader.h"

namespace calvern::platform {

std::string LineReader::ReadLine() {
  std::string line;
  std::size_t dropped = 0;
  for (;;) {
    if (next_ == pending_.size()) {
      next_ = 0;
      pending_.clear();
      if (atEnd_ || !fill_(pending_) || pending_.empty()) {
        // A last line without its line end still counts; the next read ends.
        if (line.empty() && dropped == 0) ended_ = true;
        atEnd_ = true;
        pending_.clear();
        break;
      }
    }
    char c = pending_[next_++];
    if (c == '\n') break;
    if (line.size() < kMaxLineBytes) {
      line += c;
    } else if (++dropped > kMaxDroppedBytes) {
      ended_ = true;
      return std::string();
    }
  }
  if (ended_) return std::string();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace calvern::platform
