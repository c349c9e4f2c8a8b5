// PNG on Windows through stb_image, a header-only decoder: the system's codecs do not read
// every kind of PNG that libpng reads elsewhere (grey ones, under Wine). stb_image reads grey,
// palette and true-colour PNGs of every depth, interlaced or not; 16-bit samples keep their
// high byte, as libpng's stripping does, and transparency is dropped.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 255
#include <stb/stb_image.h>

#include "pictures/decoders.h"

namespace calvern {

PictureLoad ReadPng(std::string_view bytes) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgb =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                            static_cast<int>(bytes.size()), &width, &height, &channels, 3);
  if (rgb == nullptr) return Refused(PictureFailure::kDamaged);
  PictureLoad load = FromRgb(width, height, rgb);
  stbi_image_free(rgb);
  return load;
}

}  // namespace calvern
