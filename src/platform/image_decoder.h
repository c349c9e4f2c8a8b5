// Pictures decoded by the system's own codecs: on Windows the Windows Imaging Component reads
// JPEG files. (The other systems decode with Debian's libraries, outside this layer.)
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace calvern::platform {

struct DecodedImage {
  bool decoded = false;
  bool cmyk = false;  // pixels are cyan, magenta, yellow and black ink, not red, green and blue
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // 3 bytes a pixel (4 for CMYK), rows from the top
};

// Decodes a picture file held in memory whose size the caller has judged from its header:
// CMYK pictures as they are, every other kind as 8-bit red, green and blue (transparency
// dropped).
DecodedImage DecodeImage(std::string_view bytes);

}  // namespace calvern::platform
