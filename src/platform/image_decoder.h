// Pictures decoded by the system's own codecs: on Windows the Windows Imaging Component reads
// PNG and JPEG files. (The other systems decode with Debian's libraries, outside this layer.)
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace calvern::platform {

struct DecodedImage {
  enum class Outcome { kDecoded, kUnreadable, kTooLarge };
  Outcome outcome = Outcome::kUnreadable;
  int width = 0, height = 0;      // known for kDecoded and kTooLarge
  std::vector<std::uint8_t> rgb;  // kDecoded: red, green, blue of each pixel, rows from the top
};

// Decodes a picture file held in memory as 8-bit red, green and blue (transparency dropped).
// A picture wider or higher than `maxSide` is refused before its pixels are decoded.
DecodedImage DecodeImage(std::string_view bytes, int maxSide);

}  // namespace calvern::platform
