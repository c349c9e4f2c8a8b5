#include "link/link_transaction.h"

#include <algorithm>
#include <thread>

namespace calvern {
namespace {

using Clock = std::chrono::steady_clock;

Clock::duration WireTime(long long bytes) { return kByteWireTime * bytes; }

}  // namespace

LinkSession::LinkSession(std::string portName, int identifier, PortOpener openPort,
                         LinkTimeouts timeouts)
    : portName_(std::move(portName)),
      identifier_(identifier),
      openPort_(std::move(openPort)),
      timeouts_(timeouts) {}

void LinkSession::PauseBetweenPolls() const { std::this_thread::sleep_for(timeouts_.pollPause); }

LinkReply LinkSession::Exchange(std::initializer_list<std::uint8_t> payload) {
  int i = 0;
  for (std::uint8_t byte : payload) Buffer.Payload(i++) = byte;
  return Transaction(i);
}

LinkReply LinkSession::Transaction(int payloadSize) {
  LinkReply reply = Run(payloadSize);
  lastFailure_ = reply.failure;
  return reply;
}

LinkReply LinkSession::Run(int payloadSize) {
  payloadSize = std::clamp(payloadSize, 0, LinkBuffer::kMaxPayload);
  platform::SerialOpenResult opened = openPort_(portName_);
  if (!opened.port) {
    portError_ = opened.error;
    return {LinkFailure::kPortUnavailable, 0};
  }
  platform::SerialPort& port = *opened.port;

  // Whatever an earlier user of the port left to send goes out first.
  Clock::time_point drainDeadline = Clock::now() + timeouts_.drain;
  for (int queued; (queued = port.OutputQueued()) > 0;) {
    if (Clock::now() >= drainDeadline) return {LinkFailure::kSendFailed, 0};
    std::this_thread::sleep_for(WireTime(queued));
  }

  int frameSize = BuildRequest(Buffer, payloadSize, identifier_);
  Clock::time_point sent = Clock::now();
  if (!port.Write(Buffer.bytes.data(), frameSize,
                  sent + 2 * WireTime(frameSize) + timeouts_.drain)) {
    return {LinkFailure::kSendFailed, 0};
  }
  bytesOnWire_ += frameSize;
  // The request takes its time on the wire before the calculator can answer.
  return ReadReply(port, sent + WireTime(frameSize) + timeouts_.firstByte);
}

LinkReply LinkSession::ReadReply(platform::SerialPort& port, platform::Deadline firstByteDeadline) {
  // Bytes 0-3: the header. The whole reply is bounded too, so that a calculator trickling
  // bytes just inside the gap time-out cannot stretch it without end.
  Clock::time_point overall = firstByteDeadline + timeouts_.nextByte * 4;
  int got =
      ReadSome(port, Buffer.bytes.data(), LinkBuffer::kHeaderSize, firstByteDeadline, overall);
  bytesOnWire_ += got;
  if (got == 0) return {LinkFailure::kNoAnswer, 0};
  if (got < LinkBuffer::kHeaderSize) return {LinkFailure::kShortReply, 0};

  int announced = ReplyLength(Buffer);
  if (announced < 0) return {LinkFailure::kBadLength, 0};
  overall = Clock::now() + timeouts_.firstByte + 2 * WireTime(announced);
  Clock::time_point gap = Clock::now() + timeouts_.nextByte;
  if (announced > LinkBuffer::kMaxReply) {
    // Too long for the buffer: read it away, so that it cannot be taken for the next reply,
    // and fail the exchange.
    std::array<std::uint8_t, LinkBuffer::kSize> scratch;
    for (int left = announced; left > 0;) {
      int n = ReadSome(port, scratch.data(), std::min<int>(left, scratch.size()), gap, overall);
      bytesOnWire_ += n;
      if (n < std::min<int>(left, scratch.size())) break;
      left -= n;
      gap = Clock::now() + timeouts_.nextByte;
    }
    return {LinkFailure::kBadLength, 0};
  }
  int length =
      ReadSome(port, Buffer.bytes.data() + LinkBuffer::kHeaderSize, announced, gap, overall);
  bytesOnWire_ += length;
  if (length < announced) return {LinkFailure::kShortReply, length};
  return {LinkFailure::kNone, length};
}

int LinkSession::ReadSome(platform::SerialPort& port, std::uint8_t* data, int size,
                          platform::Deadline firstDeadline, platform::Deadline overallDeadline) {
  int got = 0;
  Clock::time_point deadline = std::min(firstDeadline, overallDeadline);
  while (got < size) {
    int n = port.Read(data + got, size - got, deadline);
    if (n <= 0) break;
    got += n;
    deadline = std::min(Clock::now() + timeouts_.nextByte, overallDeadline);
  }
  return got;
}

}  // namespace calvern
