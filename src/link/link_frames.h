// The frames every request and reply travels in. A request carries a header (0, the
// calculator's identifier, the length of payload plus checksum, little-endian), the payload
// and a checksum; a reply carries a header whose bytes 2-3 count the bytes that follow.
#pragma once

#include <array>
#include <cstdint>

namespace calvern {

// The 256-byte buffer of every exchange: the header in bytes 0-3, the payload from byte 4. It
// holds the request before the exchange and the reply after it.
struct LinkBuffer {
  static constexpr int kSize = 256;
  static constexpr int kHeaderSize = 4;
  // Request payload plus checksum, and reply bytes after the header, that fit the buffer.
  static constexpr int kMaxPayload = kSize - kHeaderSize - 1;
  static constexpr int kMaxReply = kSize - kHeaderSize;

  std::array<std::uint8_t, kSize> bytes{};

  std::uint8_t& Payload(int i) { return bytes[kHeaderSize + i]; }
  std::uint8_t Payload(int i) const { return bytes[kHeaderSize + i]; }
};

// Writes the header and checksum of a request whose n-byte payload is in place; returns the
// number of bytes to send (n + 5).
int BuildRequest(LinkBuffer& buffer, int payloadSize, int identifier);

// The reply's length field (bytes 2-3), read as a signed 16-bit value.
int ReplyLength(const LinkBuffer& buffer);

}  // namespace calvern
