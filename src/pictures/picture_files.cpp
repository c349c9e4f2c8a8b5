#include "pictures/picture_files.h"

#include <optional>

#include "compiler/graph_encoder.h"
#include "pictures/decoders.h"
#include "platform/files.h"

namespace calvern {

PictureLoad JudgeSize(long long width, long long height) {
  if (width <= 0 || height <= 0) return Refused(PictureFailure::kNoPixels);
  if (width > DotGrid::kMaxSide || height > DotGrid::kMaxSide) {
    return Refused(PictureFailure::kTooLarge,
                   std::to_string(width) + " x " + std::to_string(height));
  }
  return {};
}

PictureLoad Refused(PictureFailure failure, std::string detail) {
  return {.failure = failure, .detail = std::move(detail)};
}

PictureLoad FromRgb(int width, int height, const unsigned char* rgb) {
  PictureLoad load;
  GreyPicture& picture = load.picture;
  picture.width = width;
  picture.height = height;
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  picture.grey.resize(pixels);
  for (std::size_t k = 0; k < pixels; ++k, rgb += 3) {
    picture.grey[k] = static_cast<std::uint16_t>(GreyLevel(rgb[0], rgb[1], rgb[2]));
  }
  return load;
}

void InkToRgb(unsigned char* cmyk, std::size_t pixels, bool inverted) {
  // Each triple is written at or before the quadruple it comes from, after reading it.
  for (std::size_t k = 0; k < pixels; ++k) {
    const unsigned char* in = cmyk + 4 * k;
    const int ink[4] = {in[0], in[1], in[2], in[3]};
    const int black = inverted ? 255 - ink[3] : ink[3];
    for (int channel = 0; channel < 3; ++channel) {
      const int colour = inverted ? 255 - ink[channel] : ink[channel];
      cmyk[3 * k + channel] =
          static_cast<unsigned char>(((255 - colour) * (255 - black) + 127) / 255);
    }
  }
}

std::uint32_t Little(std::string_view bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int k = count - 1; k >= 0; --k) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
  }
  return value;
}

std::uint8_t ScaledTo8Bits(std::uint32_t value, int bits) {
  if (bits <= 0) return 0;
  const std::uint64_t full = bits >= 32 ? 0xFFFFFFFFu : (std::uint64_t{1} << bits) - 1;
  return static_cast<std::uint8_t>((value * std::uint64_t{255} + full / 2) / full);
}

PictureLoad DecodePicture(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1A\n")) {
    PictureLoad screened = ScreenPng(bytes);
    return screened.failure == PictureFailure::kNone ? ReadPng(bytes) : screened;
  }
  if (bytes.starts_with("\xFF\xD8\xFF")) {
    PictureLoad screened = ScreenJpeg(bytes);
    return screened.failure == PictureFailure::kNone ? ReadJpeg(bytes) : screened;
  }
  if (bytes.starts_with("BM")) return ReadBmp(bytes);
  return ReadTga(bytes);
}

PictureLoad PictureFiles::Load(const std::string& path) const {
  if (!platform::PathExists(path)) return Refused(PictureFailure::kMissing);
  // The length first, so that a huge file is reported, not read.
  const std::optional<std::uintmax_t> length = platform::RegularFileSize(path);
  if (length && *length > kMaxPictureFileBytes) {
    return Refused(PictureFailure::kFileTooLarge, std::to_string(*length) + " bytes");
  }
  std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxPictureFileBytes);
  if (!bytes) return Refused(PictureFailure::kUnreadable);
  return DecodePicture(*bytes);
}

}  // namespace calvern
