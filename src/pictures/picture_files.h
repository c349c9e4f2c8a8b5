// Reads the picture files of #LOADIMAGE: BMP and TGA with this layer's own readers, PNG and
// JPEG with libpng and libjpeg-turbo (on Windows with stb_image and the system's codecs). The
// format is told by the file's first bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "compiler/picture_source.h"

namespace calvern {

// Longer files are refused unread. The largest picture a graph can take, 255 x 255 pixels,
// needs less than a mebibyte even uncompressed; the rest leaves room for any metadata, and the
// bound keeps the work of any file small (libpng passes over millions of tiny chunks).
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{16} << 20;
// A progressive JPEG refines its picture scan by scan, each scan a pass over the picture. The
// longest progression libjpeg can write, 4 components x 64 coefficients x 11 bit levels, has
// 2816 scans; more are refused before any is decoded.
inline constexpr int kMaxJpegScans = 3000;

class PictureFiles : public PictureSource {
 public:
  PictureLoad Load(const std::string& path) const override;
};

// Decodes a whole picture file held in memory.
PictureLoad DecodePicture(std::string_view bytes);

}  // namespace calvern
