// BMP and TGA through stb_image. stb_image pads a file that ends too early with zeros, so the
// file's length is first checked against the pixel data its header announces.
#include <stb/stb_image.h>

#include <cstdint>
#include <cstdlib>

#include "pictures/decoders.h"

namespace calvern {
namespace {

std::uint32_t Little(std::string_view b, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int k = count - 1; k >= 0; --k) value = value << 8 | static_cast<unsigned char>(b[at + k]);
  return value;
}

// Uncompressed BMP: the pixel rows, each padded to 4 bytes, end within the file. Compressed
// kinds stb_image refuses by itself.
bool BmpLengthCovers(std::string_view b) {
  if (b.size() < 26) return false;
  const std::uint64_t offset = Little(b, 10, 4);
  const std::uint32_t headerSize = Little(b, 14, 4);
  std::int64_t width, height;
  std::uint32_t bits, compression = 0;
  if (headerSize == 12) {  // the old OS/2 header: 16-bit sizes
    width = Little(b, 18, 2);
    height = static_cast<std::int16_t>(Little(b, 20, 2));
    bits = Little(b, 24, 2);
  } else {
    if (b.size() < 34) return false;
    width = static_cast<std::int32_t>(Little(b, 18, 4));
    height = static_cast<std::int32_t>(Little(b, 22, 4));
    bits = Little(b, 28, 2);
    compression = Little(b, 30, 4);
  }
  if (compression != 0 && compression != 3) return true;
  if (width <= 0 || height == 0 || width > kMaxPictureSide || bits > 32) return true;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t rows = height < 0 ? -height : height;
  return offset + stride * rows <= b.size();
}

// TGA: the picture data after the header, the identification field and the colour map is
// complete; run-length packets are followed to see that they cover every pixel.
bool TgaLengthCovers(std::string_view b) {
  if (b.size() < 18) return false;
  const int type = static_cast<unsigned char>(b[2]);
  const std::uint64_t width = Little(b, 12, 2), height = Little(b, 14, 2);
  const std::uint64_t pixelBytes = (static_cast<unsigned char>(b[16]) + 7) / 8;
  std::uint64_t position = 18 + static_cast<unsigned char>(b[0]);
  if (b[1] != 0) {  // a colour map, placed as stb_image reads it
    position += Little(b, 3, 2) + Little(b, 5, 2) * ((static_cast<unsigned char>(b[7]) + 7) / 8);
  }
  const std::uint64_t pixels = width * height;
  if (type < 8) return position + pixels * pixelBytes <= b.size();
  for (std::uint64_t done = 0; done < pixels;) {
    if (position >= b.size()) return false;
    const int packet = static_cast<unsigned char>(b[position++]);
    const std::uint64_t count = (packet & 0x7F) + 1;
    position += packet & 0x80 ? pixelBytes : count * pixelBytes;
    done += count;
  }
  return position <= b.size();
}

}  // namespace

PictureLoad ReadBmpOrTga(std::string_view bytes, bool tga) {
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int length = static_cast<int>(bytes.size());
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(data, length, &width, &height, &channels)) return Unreadable();
  if (!WithinReadingLimit(width, height)) return TooLargePicture(width, height);
  if (!(tga ? TgaLengthCovers(bytes) : BmpLengthCovers(bytes))) return Unreadable();
  stbi_uc* rgb = stbi_load_from_memory(data, length, &width, &height, &channels, 3);
  if (rgb == nullptr) return Unreadable();
  PictureLoad load = FromRgb(width, height, rgb);
  stbi_image_free(rgb);
  return load;
}

}  // namespace calvern
