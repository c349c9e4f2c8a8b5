// PNG and JPEG through the system's own codecs (the Windows build): the platform decodes, this
// file turns the pixels into the compiler's grey picture like the other readers.
#include "pictures/decoders.h"
#include "platform/image_decoder.h"

namespace calvern {
namespace {

PictureLoad ReadWithSystemCodec(std::string_view bytes) {
  platform::DecodedImage image = platform::DecodeImage(bytes, kMaxPictureSide);
  switch (image.outcome) {
    case platform::DecodedImage::Outcome::kDecoded:
      return FromRgb(image.width, image.height, image.rgb.data());
    case platform::DecodedImage::Outcome::kTooLarge:
      return TooLargePicture(image.width, image.height);
    case platform::DecodedImage::Outcome::kUnreadable:
      break;
  }
  return Unreadable();
}

}  // namespace

PictureLoad ReadPng(std::string_view bytes) { return ReadWithSystemCodec(bytes); }
PictureLoad ReadJpeg(std::string_view bytes) { return ReadWithSystemCodec(bytes); }

}  // namespace calvern
