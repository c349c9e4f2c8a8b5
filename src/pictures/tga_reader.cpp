// TGA files: colour-mapped, true-colour and grey pictures, stored plain or run-length coded,
// from any of the four corners (descriptor bit 4: rows run right to left; bit 5: the first
// row is the top one). TGA has no signature, so a header that breaks its rules is no picture.
#include <vector>

#include "pictures/decoders.h"

namespace calvern {
namespace {

// Image types: 1 colour-mapped, 2 true colour, 3 grey; 8 more for run-length coding.
constexpr int kColourMapped = 1, kTrueColour = 2, kGrey = 3, kRunLength = 8;

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
};

// A true-colour value of 15 to 32 bits: 5 bits each (alpha bit on top) or blue, green, red
// bytes (alpha on top).
Rgb ColourOf(std::uint32_t value, int bits) {
  if (bits <= 16) {
    return {ScaledTo8Bits(value >> 10 & 31, 5), ScaledTo8Bits(value >> 5 & 31, 5),
            ScaledTo8Bits(value & 31, 5)};
  }
  return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value)};
}

bool TrueColourBits(int bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }

}  // namespace

PictureLoad ReadTga(std::string_view b) {
  if (b.size() < 18) return Refused(PictureFailure::kNotAPicture);
  const int idLength = static_cast<unsigned char>(b[0]);
  const int mapType = static_cast<unsigned char>(b[1]);
  const int type = static_cast<unsigned char>(b[2]);
  const std::uint32_t mapFirst = Little(b, 3, 2), mapLength = Little(b, 5, 2);
  const int mapBits = static_cast<unsigned char>(b[7]);
  const long long width = Little(b, 12, 2), height = Little(b, 14, 2);
  const int bits = static_cast<unsigned char>(b[16]);
  const int descriptor = static_cast<unsigned char>(b[17]);
  const int kind = type & ~kRunLength;
  const bool valid = (mapType == 0 || (mapType == 1 && TrueColourBits(mapBits))) &&
                     (type == 0 || (kind >= 1 && (type & ~(kRunLength | 3)) == 0)) &&
                     (kind != kColourMapped || (mapType == 1 && (bits == 8 || bits == 16))) &&
                     (kind != kTrueColour || TrueColourBits(bits)) &&
                     (kind != kGrey || bits == 8 || bits == 16);
  if (!valid) {
    // Huffman-coded kinds 32 and 33 are TGA, just not read.
    if (type == 32 || type == 33) return Refused(PictureFailure::kUnsupported, "TGA of type 32");
    return Refused(PictureFailure::kNotAPicture);
  }
  if (type == 0) return Refused(PictureFailure::kNoPixels);  // a header without a picture
  if ((descriptor & 0xC0) != 0) {
    return Refused(PictureFailure::kUnsupported, "TGA of interleaved rows");
  }
  PictureLoad judged = JudgeSize(width, height);
  if (judged.failure != PictureFailure::kNone) return judged;

  // The identification field, then the colour map (entries numbered from `mapFirst`).
  std::size_t at = 18 + idLength;
  std::vector<Rgb> map;
  if (mapType == 1) {
    const int entryBytes = (mapBits + 7) / 8;
    if (b.size() < at + std::size_t{mapLength} * entryBytes) {
      return Refused(PictureFailure::kCutShort);
    }
    for (std::uint32_t k = 0; k < mapLength; ++k, at += entryBytes) {
      map.push_back(ColourOf(Little(b, at, entryBytes), mapBits));
    }
  }

  // The pixel values in stored order; run-length packets may run on from one row to the next.
  const int pixelBytes = (bits + 7) / 8;
  const std::size_t pixels = static_cast<std::size_t>(width * height);
  std::vector<std::uint32_t> values;
  values.reserve(pixels);
  while (values.size() < pixels) {
    std::size_t count = pixels - values.size(), repeat = 1;
    if (type & kRunLength) {
      if (at >= b.size()) return Refused(PictureFailure::kCutShort);
      const int packet = static_cast<unsigned char>(b[at++]);
      count = std::min<std::size_t>(count, (packet & 0x7F) + 1);
      if (packet & 0x80) std::swap(count, repeat);
    }
    if (b.size() < at + count * pixelBytes) return Refused(PictureFailure::kCutShort);
    for (std::size_t k = 0; k < count; ++k, at += pixelBytes) {
      values.insert(values.end(), repeat, Little(b, at, pixelBytes));
    }
  }

  const bool rightToLeft = descriptor & 0x10, topDown = descriptor & 0x20;
  std::vector<std::uint8_t> rgb(3 * pixels);
  for (std::size_t k = 0; k < pixels; ++k) {
    const std::uint32_t value = values[k];
    Rgb c;
    if (kind == kColourMapped) {
      // An index outside the map is black.
      if (value >= mapFirst && value - mapFirst < map.size()) c = map[value - mapFirst];
    } else if (kind == kTrueColour) {
      c = ColourOf(value, bits);
    } else {
      const auto grey = static_cast<std::uint8_t>(value);  // the low byte; alpha above
      c = {grey, grey, grey};
    }
    const std::size_t column = k % width, row = k / width;
    const std::size_t x = rightToLeft ? width - 1 - column : column;
    const std::size_t y = topDown ? row : height - 1 - row;
    std::uint8_t* p = &rgb[3 * (y * width + x)];
    p[0] = c.red, p[1] = c.green, p[2] = c.blue;
  }
  return FromRgb(static_cast<int>(width), static_cast<int>(height), rgb.data());
}

}  // namespace calvern
