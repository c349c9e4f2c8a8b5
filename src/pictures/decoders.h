// The decoders behind DecodePicture, one per library. Each refuses a picture whose header
// asks for more than kMaxPictureSide pixels across or down before it decodes the pixels, and
// treats a file that ends before its pixels as unreadable.
#pragma once

#include <string_view>

#include "compiler/picture_source.h"
#include "pictures/picture_files.h"

namespace calvern {

PictureLoad ReadPng(std::string_view bytes);
PictureLoad ReadJpeg(std::string_view bytes);
// BMP, or TGA when `tga` (TGA has no signature: it is the last format tried).
PictureLoad ReadBmpOrTga(std::string_view bytes, bool tga);

// Helpers shared by the decoders.
bool WithinReadingLimit(long long width, long long height);
PictureLoad TooLargePicture(long long width, long long height);
PictureLoad Unreadable();
// Red, green and blue bytes, row by row, turned into grey levels.
PictureLoad FromRgb(int width, int height, const unsigned char* rgb);

}  // namespace calvern
