// The decoders behind DecodePicture, one per format. Every picture's size is judged from its
// header before a decoder touches its pixels: a graph holds at most 255 x 255 dots, so no
// larger picture can compile, and no hostile header can ask for a large amount of work.
#pragma once

#include <cstdint>
#include <string_view>

#include "compiler/picture_source.h"
#include "pictures/picture_files.h"

namespace calvern {

// BMP and TGA are read by this layer's own code on every system.
PictureLoad ReadBmp(std::string_view bytes);
// TGA has no signature: it is the last format tried, and a file that is no TGA either is
// reported as no picture.
PictureLoad ReadTga(std::string_view bytes);

// PNG and JPEG: a look at the header that every system makes first (the size, and a JPEG's
// number of scans), a failure or kNone...
PictureLoad ScreenPng(std::string_view bytes);
PictureLoad ScreenJpeg(std::string_view bytes);
// ...then the system's decoder.
PictureLoad ReadPng(std::string_view bytes);
PictureLoad ReadJpeg(std::string_view bytes);

// Helpers shared by the decoders.
// kNoPixels for a width or height of 0, kTooLarge for more than a graph holds, else kNone.
PictureLoad JudgeSize(long long width, long long height);
PictureLoad Refused(PictureFailure failure, std::string detail = "");
// Red, green and blue bytes, row by row from the top, turned into grey levels.
PictureLoad FromRgb(int width, int height, const unsigned char* rgb);
// Turns `pixels` CMYK quadruples into RGB triples in place (from the front of the buffer). Ink
// c of black k leaves (255 - c)(255 - k)/255 of the light; `inverted` values count the light
// left instead of the ink, as Adobe's JPEGs store it.
void InkToRgb(unsigned char* cmyk, std::size_t pixels, bool inverted);
// `count` bytes from `at` as a little-endian number; the caller has checked that they exist.
std::uint32_t Little(std::string_view bytes, std::size_t at, int count);
// A channel of `bits` bits (1 to 32) scaled to 0-255, rounded to the nearest.
std::uint8_t ScaledTo8Bits(std::uint32_t value, int bits);

}  // namespace calvern
