// Reads the picture files of #LOADIMAGE with Debian's decoders: libpng for PNG, libjpeg-turbo
// for JPEG, stb_image for BMP and TGA. The format is told by the file's first bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "compiler/picture_source.h"

namespace calvern {

// Larger pictures are refused before their pixels are decoded: a graph holds 255 x 255 dots
// at most, and these bounds keep a hostile header from asking for gigabytes.
inline constexpr int kMaxPictureSide = 4096;
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{64} << 20;

class PictureFiles : public PictureSource {
 public:
  PictureLoad Load(const std::string& path) const override;
};

// Decodes a whole picture file held in memory.
PictureLoad DecodePicture(std::string_view bytes);

}  // namespace calvern
