// The look at a PNG or JPEG header that comes before any decoder, the same on every system:
// the picture's size from the header, and for a JPEG the number of its scans.
#include <cstring>

#include "pictures/decoders.h"

namespace calvern {
namespace {

std::uint32_t Big(std::string_view bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int k = 0; k < count; ++k) value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
  return value;
}

// Start-of-frame markers C0-CF carry the picture's size; C4 (Huffman tables), C8 (reserved)
// and CC (arithmetic coding conditions) are other segments.
bool IsFrameStart(unsigned char marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Marker bytes FF DA (start of scan) anywhere from `from` on. Compressed data never holds
// them (an FF there is followed by 00 or a restart marker), so the count bounds the scans any
// decoder can find; a thumbnail inside an application segment only adds to it.
int ScanMarkers(std::string_view bytes, std::size_t from) {
  int count = 0;
  const char* data = bytes.data();
  const char* end = data + bytes.size();
  for (const char* p = data + from; p + 1 < end; ++p) {
    p = static_cast<const char*>(std::memchr(p, 0xFF, static_cast<std::size_t>(end - p - 1)));
    if (p == nullptr) break;
    if (static_cast<unsigned char>(p[1]) == 0xDA) ++count;
  }
  return count;
}

}  // namespace

PictureLoad ScreenPng(std::string_view bytes) {
  // Signature, then the IHDR chunk: length, type, width and height (big-endian).
  if (bytes.size() < 24) return Refused(PictureFailure::kCutShort);
  if (bytes.substr(12, 4) != "IHDR") return Refused(PictureFailure::kDamaged);
  PictureLoad judged = JudgeSize(Big(bytes, 16, 4), Big(bytes, 20, 4));
  if (judged.failure != PictureFailure::kNone) return judged;
  // Every chunk (length, type, data, check sum) lies within the file, up to the end chunk.
  for (std::size_t at = 8;;) {
    if (bytes.size() - at < 12) return Refused(PictureFailure::kCutShort);
    const std::uint32_t length = Big(bytes, at, 4);
    if (length > 0x7FFFFFFF) return Refused(PictureFailure::kDamaged);
    if (bytes.size() - at - 12 < length) return Refused(PictureFailure::kCutShort);
    if (bytes.substr(at + 4, 4) == "IEND") return {};
    at += 12 + length;
  }
}

PictureLoad ScreenJpeg(std::string_view bytes) {
  // Marker segments from after the start-of-image marker up to the frame header, each an FF,
  // its marker byte and a length that counts itself.
  std::size_t at = 2;
  while (true) {
    if (at + 4 > bytes.size()) return Refused(PictureFailure::kCutShort);
    if (static_cast<unsigned char>(bytes[at]) != 0xFF) return Refused(PictureFailure::kDamaged);
    const auto marker = static_cast<unsigned char>(bytes[at + 1]);
    if (marker == 0xFF) {  // fill byte before a marker
      ++at;
      continue;
    }
    // The image must begin with a frame before its first scan or its end.
    if (marker == 0xDA || marker == 0xD9 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) {
      return Refused(PictureFailure::kDamaged);
    }
    const std::size_t length = Big(bytes, at + 2, 2);
    if (length < 2) return Refused(PictureFailure::kDamaged);
    if (IsFrameStart(marker)) {
      if (at + 9 > bytes.size()) return Refused(PictureFailure::kCutShort);
      // Precision byte, then height and width.
      PictureLoad judged = JudgeSize(Big(bytes, at + 7, 2), Big(bytes, at + 5, 2));
      if (judged.failure != PictureFailure::kNone) return judged;
      if (ScanMarkers(bytes, at) > kMaxJpegScans) return Refused(PictureFailure::kTooManyScans);
      return {};
    }
    at += 2 + length;
  }
}

}  // namespace calvern
