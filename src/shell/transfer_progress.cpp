#include "shell/transfer_progress.h"

#include <algorithm>

namespace calvern {

TransferProgress::TransferProgress(Writer write, const MessageTable& messages, int blocksToSend,
                                   bool terminal)
    : write_(std::move(write)), messages_(messages), total_(blocksToSend), terminal_(terminal) {}

std::string TransferProgress::Text(long long bytesOnWire) const {
  double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
  long long rate = seconds > 0 ? static_cast<long long>(bytesOnWire / seconds + 0.5) : 0;
  const MessageTable& m = messages_;
  return m[kSentBlocks] + std::to_string(sent_) + m[kBlocksOf] + std::to_string(total_) +
         m[kBlocksAt] + std::to_string(rate) + m[kBytesPerSecond];
}

void TransferProgress::BlockSent(long long bytesOnWire) {
  ++sent_;
  if (terminal_) {
    int filled = total_ > 0 ? std::min(kBarWidth, sent_ * kBarWidth / total_) : kBarWidth;
    write_("\rcalvern: [" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
           Text(bytesOnWire) + "\x1b[K");
    drawn_ = true;
    return;
  }
  Clock::time_point now = Clock::now();
  if (sent_ < total_ && now - lastLine_ < std::chrono::seconds(1)) return;
  lastLine_ = now;
  write_("calvern: " + Text(bytesOnWire) + "\n");
}

void TransferProgress::Finish() {
  if (drawn_) write_("\n");
  drawn_ = false;
}

}  // namespace calvern
