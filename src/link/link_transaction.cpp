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

bool LinkSession::PauseBetweenPolls(platform::Deadline until) const {
  Clock::time_point now = Clock::now();
  if (now >= until) return false;
  std::this_thread::sleep_until(std::min<Clock::time_point>(now + timeouts_.pollPause, until));
  return Clock::now() < until;
}

LinkReply LinkSession::Exchange(std::initializer_list<std::uint8_t> payload,
                                platform::Deadline until) {
  int i = 0;
  for (std::uint8_t byte : payload) Buffer.Payload(i++) = byte;
  return Transaction(i, until);
}

LinkReply LinkSession::Transaction(int payloadSize, platform::Deadline until) {
  LinkReply reply = Run(payloadSize, until);
  lastFailure_ = reply.failure;
  return reply;
}

LinkReply LinkSession::Run(int payloadSize, platform::Deadline until) {
  payloadSize = std::clamp(payloadSize, 0, LinkBuffer::kMaxPayload);
  // Every wait below ends by this time, whatever the calculator does.
  Clock::time_point end = std::min<Clock::time_point>(Clock::now() + timeouts_.exchange, until);
  platform::SerialOpenResult opened = openPort_(portName_);
  if (!opened.port) {
    portError_ = opened.error;
    return {LinkFailure::kPortUnavailable, 0};
  }
  platform::SerialPort& port = *opened.port;

  // Whatever an earlier user of the port left to send goes out first.
  Clock::time_point drainDeadline = std::min(Clock::now() + timeouts_.drain, end);
  for (int queued; (queued = port.OutputQueued()) > 0;) {
    if (Clock::now() >= drainDeadline) return {LinkFailure::kSendFailed, 0};
    std::this_thread::sleep_until(std::min(Clock::now() + WireTime(queued), drainDeadline));
  }

  int frameSize = BuildRequest(Buffer, payloadSize, identifier_);
  // The reply replaces the request in the buffer; a reply equal to it is an echo.
  LinkBuffer sent = Buffer;
  Clock::time_point sentAt = Clock::now();
  if (!port.Write(Buffer.bytes.data(), frameSize,
                  std::min(sentAt + 2 * WireTime(frameSize) + timeouts_.drain, end))) {
    return {LinkFailure::kSendFailed, 0};
  }
  bytesOnWire_ += frameSize;
  // The request takes its time on the wire before the calculator can answer.
  return ReadReply(port, sent, frameSize,
                   std::min(sentAt + WireTime(frameSize) + timeouts_.firstByte, end), end);
}

LinkReply LinkSession::ReadReply(platform::SerialPort& port, const LinkBuffer& sent, int sentSize,
                                 platform::Deadline firstByteDeadline, platform::Deadline end) {
  // Bytes 0-3: the header.
  int got = ReadSome(port, Buffer.bytes.data(), LinkBuffer::kHeaderSize, firstByteDeadline, end);
  bytesOnWire_ += got;
  if (got == 0) return {LinkFailure::kNoAnswer, 0};
  if (got < LinkBuffer::kHeaderSize) return {LinkFailure::kShortReply, 0};

  // A reply longer than the buffer is refused at its header: none of the replies this program
  // uses comes near the size, and reading it away would only prolong the exchange.
  int announced = ReplyLength(Buffer);
  if (announced < 0 || announced > LinkBuffer::kMaxReply) return {LinkFailure::kBadLength, 0};
  int length = ReadSome(port, Buffer.bytes.data() + LinkBuffer::kHeaderSize, announced,
                        Clock::now() + timeouts_.nextByte, end);
  bytesOnWire_ += length;
  if (length < announced) return {LinkFailure::kShortReply, length};
  // A line that sends every byte back (a loopback plug, a cable without a calculator) answers
  // with the request itself: that is no answer.
  if (LinkBuffer::kHeaderSize + length == sentSize &&
      std::equal(sent.bytes.begin(), sent.bytes.begin() + sentSize, Buffer.bytes.begin())) {
    return {LinkFailure::kEcho, 0};
  }
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
