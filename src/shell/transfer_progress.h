// The progress of a program transfer on standard error: blocks sent of blocks to send and the
// rate on the wire. On a terminal one bar is redrawn in place; elsewhere (a log, a pipe) plain
// lines are written, at most one a second and always the last.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "tables/message_table.h"

namespace calvern {

class TransferProgress {
 public:
  // `write` puts text on standard error (or wherever the progress goes).
  using Writer = std::function<void(std::string_view)>;
  TransferProgress(Writer write, const MessageTable& messages, int blocksToSend, bool terminal);

  // One more block has been sent; `bytesOnWire` counts every byte sent and received so far.
  void BlockSent(long long bytesOnWire);
  // Ends the bar's line on a terminal.
  void Finish();

  // "sent 3 of 40 blocks, 958 bytes/s"
  std::string Text(long long bytesOnWire) const;

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr int kBarWidth = 20;

  Writer write_;
  const MessageTable& messages_;
  int total_;
  bool terminal_;
  int sent_ = 0;
  bool drawn_ = false;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastLine_{};
};

}  // namespace calvern
