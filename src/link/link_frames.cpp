#include "link/link_frames.h"

namespace calvern {

int BuildRequest(LinkBuffer& buffer, int payloadSize, int identifier) {
  int length = payloadSize + 1;  // payload and checksum
  buffer.bytes[0] = 0;
  buffer.bytes[1] = static_cast<std::uint8_t>(identifier & 0xFF);
  buffer.bytes[2] = static_cast<std::uint8_t>(length % 256);
  buffer.bytes[3] = static_cast<std::uint8_t>(length / 256);
  int end = LinkBuffer::kHeaderSize + payloadSize;
  unsigned sum = 0;
  for (int i = 0; i < end; ++i) sum += buffer.bytes[i];
  buffer.bytes[end] = static_cast<std::uint8_t>(sum % 256);
  return end + 1;
}

int ReplyLength(const LinkBuffer& buffer) {
  return static_cast<std::int16_t>(buffer.bytes[2] | (buffer.bytes[3] << 8));
}

}  // namespace calvern
