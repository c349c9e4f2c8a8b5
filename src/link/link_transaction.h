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

// The bounds of every wait on the calculator.
struct LinkTimeouts {
  // The first reply byte, counted from the moment the request has left on the wire.
  std::chrono::milliseconds firstByte{1000};
  // Each further byte of a reply, counted from the one before.
  std::chrono::milliseconds nextByte{200};
  // The port's output queue to empty before a request is sent.
  std::chrono::milliseconds drain{1000};
  // Status requests made while the calculator reports busy, and the pause between them.
  int statusPolls = 100;
  std::chrono::milliseconds pollPause{50};
};

enum class LinkFailure {
  kNone,
  kPortUnavailable,  // the port could not be opened
  kSendFailed,       // the request could not be written
  kNoAnswer,         // nothing arrived in time
  kShortReply,       // fewer bytes arrived than the reply announced
  kBadLength,        // a negative length, or more than the buffer holds
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
  LinkReply Transaction(int payloadSize);
  // Places the payload and runs the exchange.
  LinkReply Exchange(std::initializer_list<std::uint8_t> payload);
  // The reply answered with `code` as its first payload byte (0x40 accepted, 0x20 done).
  bool Replied(const LinkReply& reply, std::uint8_t code) const {
    return reply.Answered() && reply.length >= 1 && Buffer.Payload(0) == code;
  }
  void PauseBetweenPolls() const;

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
  LinkReply Run(int payloadSize);
  LinkReply ReadReply(platform::SerialPort& port, platform::Deadline firstByteDeadline);
  // Reads exactly `size` bytes, each within the gap time-out of the one before; returns the
  // number that arrived.
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
