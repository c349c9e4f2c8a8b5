// BMP files of every kind a graph can come from: the OS/2 header of 12 bytes with its 3-byte
// palette entries, the Windows headers of 40 to 124 bytes (and OS/2's later ones of 16 to 64),
// rows from the bottom or, with a negative height, from the top; 1, 2, 4 and 8 bits through a
// palette, plain or run-length coded; 16, 24 and 32 bits, with or without bit fields.
#include <array>
#include <vector>

#include "pictures/decoders.h"

namespace calvern {
namespace {

// Compression kinds of the Windows headers.
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
};

struct BmpHeader {
  long long width = 0, height = 0;
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = kRgb;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue
  std::vector<Colour> palette;
};

// One channel of a pixel through its bit field: the field's bits, scaled to 0-255.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while ((mask >> shift & 1) == 0) ++shift;
  int bits = 0;
  while (shift + bits < 32 && (mask >> (shift + bits) & 1) != 0) ++bits;
  return ScaledTo8Bits((pixel & mask) >> shift & ((std::uint64_t{1} << bits) - 1), bits);
}

// Reads the headers and the palette; a failure, or kNone with `h` filled in.
PictureLoad ReadHeader(std::string_view b, BmpHeader& h) {
  if (b.size() < 18) return Refused(PictureFailure::kCutShort);
  const std::uint32_t dataOffset = Little(b, 10, 4);
  const std::uint32_t headerSize = Little(b, 14, 4);
  const bool os2 = headerSize == 12;
  const bool windows = headerSize == 40 || headerSize == 52 || headerSize == 56 ||
                       headerSize == 108 || headerSize == 124;
  // OS/2's second header: the fields of Windows' 40 bytes, cut anywhere after 16 or carried on
  // to 64.
  const bool os2Second = !windows && headerSize >= 16 && headerSize <= 64;
  if (!os2 && !windows && !os2Second) return Refused(PictureFailure::kDamaged);
  if (b.size() < 14 + headerSize) return Refused(PictureFailure::kCutShort);
  std::uint32_t coloursUsed = 0;
  if (os2) {
    h.width = Little(b, 18, 2);
    h.height = Little(b, 20, 2);
    h.bits = static_cast<int>(Little(b, 24, 2));
  } else {
    h.width = static_cast<std::int32_t>(Little(b, 18, 4));
    const auto height = static_cast<std::int32_t>(Little(b, 22, 4));
    h.topDown = height < 0;
    h.height = height < 0 ? -static_cast<long long>(height) : height;
    h.bits = static_cast<int>(Little(b, 28, 2));
    if (headerSize >= 20) h.compression = Little(b, 30, 4);
    if (headerSize >= 36) coloursUsed = Little(b, 46, 4);
  }
  if (h.width < 0) return Refused(PictureFailure::kDamaged);
  PictureLoad judged = JudgeSize(h.width, h.height);
  if (judged.failure != PictureFailure::kNone) return judged;

  // OS/2's second header numbers its Huffman and 24-bit run-length kinds 3 and 4.
  const bool knownKind =
      h.compression == kRgb || h.compression == kRle8 || h.compression == kRle4 ||
      (!os2Second && (h.compression == kBitFields || h.compression == kAlphaBitFields));
  if (!knownKind) {
    return Refused(PictureFailure::kUnsupported,
                   "BMP of compression kind " + std::to_string(h.compression));
  }
  const bool bitsFit = h.compression == kRle8   ? h.bits == 8
                       : h.compression == kRle4 ? h.bits == 4
                       : h.compression == kRgb
                           ? (h.bits == 1 || h.bits == 2 || h.bits == 4 || h.bits == 8 ||
                              h.bits == 16 || h.bits == 24 || h.bits == 32)
                           : (h.bits == 16 || h.bits == 24 || h.bits == 32);
  if (!bitsFit) return Refused(PictureFailure::kDamaged);

  // Bit fields: in the header from 52 bytes on, else in 12 (16 with alpha) bytes after it.
  std::size_t tableStart = 14 + headerSize;
  if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
    std::size_t at = tableStart;
    if (headerSize < 52) {
      tableStart += h.compression == kAlphaBitFields ? 16 : 12;
      if (b.size() < tableStart) return Refused(PictureFailure::kCutShort);
    } else {
      at = 54;
    }
    for (int k = 0; k < 3; ++k) h.masks[k] = Little(b, at + 4 * k, 4);
  } else if (h.bits == 16) {
    h.masks = {0x7C00, 0x03E0, 0x001F};  // 5 bits each
  } else {
    h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }

  if (dataOffset < tableStart) return Refused(PictureFailure::kDamaged);
  if (h.bits <= 8) {
    // As many entries as the header says (all 2^bits when it says 0), as far as they fit
    // before the pixels: an index without an entry is black.
    const std::size_t entryBytes = os2 ? 3 : 4;
    std::size_t entries = std::size_t{1} << h.bits;
    if (coloursUsed != 0 && coloursUsed < entries) entries = coloursUsed;
    if (entries > (dataOffset - tableStart) / entryBytes) {
      entries = (dataOffset - tableStart) / entryBytes;
    }
    if (b.size() < tableStart + entries * entryBytes) return Refused(PictureFailure::kCutShort);
    h.palette.resize(std::size_t{1} << h.bits);
    for (std::size_t k = 0; k < entries; ++k) {
      const std::size_t at = tableStart + k * entryBytes;
      h.palette[k] = {static_cast<std::uint8_t>(b[at + 2]), static_cast<std::uint8_t>(b[at + 1]),
                      static_cast<std::uint8_t>(b[at])};
    }
  }
  return {};
}

// Run-length coded pixels as palette indexes, rows as stored (from the bottom unless the
// height was negative). Pairs of bytes: a count and an index (RLE4: two alternating indexes),
// or 0 and an escape: 0 end of row, 1 end of picture, 2 a move right and up, 3-255 that many
// literal indexes padded to an even number of bytes. Pixels never set keep index 0.
PictureLoad DecodeRunLengths(std::string_view b, std::size_t at, const BmpHeader& h,
                             std::vector<std::uint8_t>& indexes) {
  const long long width = h.width, height = h.height;
  const bool nibbles = h.compression == kRle4;
  long long x = 0, row = 0;
  auto put = [&](int index) {
    if (x < width && row < height) indexes[static_cast<std::size_t>(row * width + x)] = index;
    ++x;
  };
  while (row < height) {
    if (at + 2 > b.size()) return Refused(PictureFailure::kCutShort);
    const int count = static_cast<unsigned char>(b[at]);
    const int value = static_cast<unsigned char>(b[at + 1]);
    at += 2;
    if (count > 0) {
      // Only the pixels inside the row are stored; the rest of a long run is skipped whole.
      const int shown = static_cast<int>(std::min<long long>(count, std::max(0LL, width - x)));
      for (int k = 0; k < shown; ++k) put(nibbles ? (k % 2 == 0 ? value >> 4 : value & 15) : value);
      x += count - shown;
    } else if (value == 0) {
      x = 0, ++row;
    } else if (value == 1) {
      return {};
    } else if (value == 2) {
      if (at + 2 > b.size()) return Refused(PictureFailure::kCutShort);
      x += static_cast<unsigned char>(b[at]);
      row += static_cast<unsigned char>(b[at + 1]);
      at += 2;
    } else {
      const std::size_t bytes = nibbles ? (value + 1) / 2 : value;
      if (at + bytes > b.size()) return Refused(PictureFailure::kCutShort);
      for (int k = 0; k < value; ++k) {
        const int byte = static_cast<unsigned char>(b[at + (nibbles ? k / 2 : k)]);
        put(nibbles ? (k % 2 == 0 ? byte >> 4 : byte & 15) : byte);
      }
      at += (bytes + 1) / 2 * 2;
    }
  }
  return {};  // every row is done: the end-of-picture pair may be left out
}

}  // namespace

PictureLoad ReadBmp(std::string_view b) {
  BmpHeader h;
  PictureLoad header = ReadHeader(b, h);
  if (header.failure != PictureFailure::kNone) return header;
  const std::size_t width = static_cast<std::size_t>(h.width);
  const std::size_t height = static_cast<std::size_t>(h.height);
  const std::size_t dataOffset = Little(b, 10, 4);
  std::vector<std::uint8_t> rgb(3 * width * height);
  auto store = [&](std::size_t x, std::size_t storedRow, Colour c) {
    const std::size_t y = h.topDown ? storedRow : height - 1 - storedRow;
    std::uint8_t* p = &rgb[3 * (y * width + x)];
    p[0] = c.red, p[1] = c.green, p[2] = c.blue;
  };

  if (h.compression == kRle8 || h.compression == kRle4) {
    std::vector<std::uint8_t> indexes(width * height);
    PictureLoad decoded = DecodeRunLengths(b, dataOffset, h, indexes);
    if (decoded.failure != PictureFailure::kNone) return decoded;
    for (std::size_t row = 0; row < height; ++row) {
      for (std::size_t x = 0; x < width; ++x) store(x, row, h.palette[indexes[row * width + x]]);
    }
    return FromRgb(static_cast<int>(width), static_cast<int>(height), rgb.data());
  }

  // Uncompressed rows, each padded to a multiple of 4 bytes.
  const std::size_t stride = (width * h.bits + 31) / 32 * 4;
  if (b.size() < dataOffset || (b.size() - dataOffset) / stride < height) {
    return Refused(PictureFailure::kCutShort);
  }
  const int pixelBytes = h.bits / 8;
  for (std::size_t row = 0; row < height; ++row) {
    const std::size_t rowStart = dataOffset + row * stride;
    for (std::size_t x = 0; x < width; ++x) {
      if (h.bits <= 8) {
        // Indexes packed from each byte's top bit down.
        const std::size_t bit = x * h.bits;
        const int byte = static_cast<unsigned char>(b[rowStart + bit / 8]);
        const int index = byte >> (8 - h.bits - bit % 8) & ((1 << h.bits) - 1);
        store(x, row, h.palette[index]);
      } else {
        const std::uint32_t pixel = Little(b, rowStart + x * pixelBytes, pixelBytes);
        store(x, row,
              {Channel(pixel, h.masks[0]), Channel(pixel, h.masks[1]), Channel(pixel, h.masks[2])});
      }
    }
  }
  return FromRgb(static_cast<int>(width), static_cast<int>(height), rgb.data());
}

}  // namespace calvern
