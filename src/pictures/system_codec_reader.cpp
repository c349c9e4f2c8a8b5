// JPEG through the system's own codecs (the Windows build): the platform decodes, this file
// turns the pixels into the compiler's grey picture like the other readers.
#include "pictures/decoders.h"
#include "platform/image_decoder.h"

namespace calvern {

PictureLoad ReadJpeg(std::string_view bytes) {
  platform::DecodedImage image = platform::DecodeImage(bytes);
  if (!image.decoded) return Refused(PictureFailure::kDamaged);
  // The codec gives CMYK as ink amounts, Adobe's inverted storage already undone.
  if (image.cmyk) {
    InkToRgb(image.pixels.data(), static_cast<std::size_t>(image.width) * image.height, false);
  }
  return FromRgb(image.width, image.height, image.pixels.data());
}

}  // namespace calvern
