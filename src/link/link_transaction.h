// One request/reply exchange with the calculator: the port is opened, the request in the link
// buffer is framed and sent, the reply is read back into the same buffer, and the port is
// closed. Every wait is bounded, so a silent or half-answering calculator fails the exchange
// instead of holding the program.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "link/link_frames.h"
#include "platform/serial_port.h"

namespace calvern {

using PortOpener = std::function<platform::SerialOpenResult(const std::string&)>;

// The bounds of every wait on the calculator. They are upper bounds of the whole: an exchange
// ends within `exchange` and a status wait within `statusWait`, however slowly a calculator
// trickles its bytes or however long it keeps reporting busy.
struct LinkTimeouts {
  // The first reply byte, counted from the moment the request has left on the wire.
  std::chrono::milliseconds firstByte{1000};
  // Each further byte of a reply, counted from the one before.
  std::chrono::milliseconds nextByte{200};
  // The port's output queue to empty before a request is sent.
  std::chrono::milliseconds drain{1000};
  // A whole exchange, from opening the port to the last reply byte. The longest request (a
  // block of 100 steps, 108 bytes) and the longest reply the buffer takes (256 bytes) need
  // 0.38 s on the wire; with the second the calculator may take to start answering, 1.5 s.
  std::chrono::milliseconds exchange{1500};
  // One wait for the calculator's status (ready, or transfer mode switched): every status
  // request and the pauses between them together.
  std::chrono::milliseconds statusWait{5000};
  // The pause between two status requests.
  std::chrono::milliseconds pollPause{50};
};

enum class LinkFailure {
  kNone,
  kPortUnavailable,  // the port could not be opened
  kSendFailed,       // the request could not be written
  kNoAnswer,         // nothing arrived in time
  kShortReply,       // fewer bytes arrived than the reply announced
  kBadLength,        // a negative length, or more than the buffer holds
  kEcho,             // the request itself came back: a loopback line, no calculator
};

struct LinkReply {
  LinkFailure failure = LinkFailure::kNone;
  int length = 0;  // reply bytes read after the header
  bool Answered() const { return failure == LinkFailure::kNone; }
};

// The time one byte takes on the wire at 9600 baud (start bit, 8 data bits, stop bit).
inline constexpr std::chrono::microseconds kByteWireTime{1042};

class LinkSession {
 public:
  LinkSession(std::string portName, int identifier, PortOpener openPort = platform::OpenSerialPort,
              LinkTimeouts timeouts = {});

  // Sends the n-byte payload placed in the buffer from byte 4, and reads the reply into it.
  // The exchange ends by `until` at the latest (a status wait's end), else within the
  // exchange time-out.
  LinkReply Transaction(int payloadSize, platform::Deadline until = platform::Deadline::max());
  // Places the payload and runs the exchange.
  LinkReply Exchange(std::initializer_list<std::uint8_t> payload,
                     platform::Deadline until = platform::Deadline::max());
  // The reply answered with `code` as its first payload byte (0x40 accepted, 0x20 done).
  bool Replied(const LinkReply& reply, std::uint8_t code) const {
    return reply.Answered() && reply.length >= 1 && Buffer.Payload(0) == code;
  }
  // Pauses between two status requests, but not past `until`; false when `until` has passed.
  bool PauseBetweenPolls(platform::Deadline until) const;

  const std::string& PortName() const { return portName_; }
  // Why the port could not be opened, after a kPortUnavailable.
  const std::string& PortError() const { return portError_; }
  const LinkTimeouts& Timeouts() const { return timeouts_; }
  // How the last exchange ended.
  LinkFailure LastFailure() const { return lastFailure_; }
  // Bytes sent and received so far (requests and replies).
  long long BytesOnWire() const { return bytesOnWire_; }

  LinkBuffer Buffer;

 private:
  LinkReply Run(int payloadSize, platform::Deadline until);
  // Reads the reply to the request `sent` (its whole frame) before `end`.
  LinkReply ReadReply(platform::SerialPort& port, const LinkBuffer& sent, int sentSize,
                      platform::Deadline firstByteDeadline, platform::Deadline end);
  // Reads up to `size` bytes, each within the gap time-out of the one before and all before
  // the overall deadline; returns the number that arrived.
  int ReadSome(platform::SerialPort& port, std::uint8_t* data, int size,
               platform::Deadline firstDeadline, platform::Deadline overallDeadline);

  std::string portName_;
  int identifier_;
  PortOpener openPort_;
  LinkTimeouts timeouts_;
  std::string portError_;
  long long bytesOnWire_ = 0;
  LinkFailure lastFailure_ = LinkFailure::kNone;
};

}  // namespace calvern
