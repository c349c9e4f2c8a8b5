#include "pictures/picture_files.h"

#include <filesystem>
#include <optional>

#include "pictures/decoders.h"
#include "platform/files.h"

namespace calvern {

bool WithinReadingLimit(long long width, long long height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

PictureLoad TooLargePicture(long long width, long long height) {
  return {.failure = PictureFailure::kTooLarge,
          .size = std::to_string(width) + " x " + std::to_string(height)};
}

PictureLoad Unreadable() { return {.failure = PictureFailure::kUnreadable}; }

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

PictureLoad DecodePicture(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return ReadPng(bytes);
  if (bytes.starts_with("\xFF\xD8\xFF")) return ReadJpeg(bytes);
  if (bytes.starts_with("BM")) return ReadBmpOrTga(bytes, false);
  return ReadBmpOrTga(bytes, true);
}

PictureLoad PictureFiles::Load(const std::string& path) const {
  // The length first, so that a huge file is reported, not read.
  std::error_code error;
  const std::uintmax_t length = std::filesystem::file_size(path, error);
  if (!error && length > kMaxPictureFileBytes) {
    return {.failure = PictureFailure::kTooLarge, .size = std::to_string(length) + " bytes"};
  }
  std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxPictureFileBytes);
  if (!bytes) return Unreadable();
  return DecodePicture(*bytes);
}

}  // namespace calvern
