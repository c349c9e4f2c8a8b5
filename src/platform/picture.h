// A 24-bit picture in memory: what the capture of a calculator screen is drawn into before it
// is shown and saved.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace calvern::platform {

struct RgbColour {
  std::uint8_t Red = 0, Green = 0, Blue = 0;
  bool operator==(const RgbColour&) const = default;
};

class Picture {
 public:
  Picture(int width, int height, RgbColour background)
      : width_(width), height_(height), rgb_(3u * width * height) {
    FillRectangle(0, 0, width, height, background);
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Red, green and blue of each pixel, rows from the top, pixels from the left.
  const std::vector<std::uint8_t>& Rgb() const { return rgb_; }

  // Fills the part of the rectangle that lies inside the picture.
  void FillRectangle(int x, int y, int width, int height, RgbColour colour) {
    int right = std::min(width_, x + width), bottom = std::min(height_, y + height);
    for (int row = std::max(0, y); row < bottom; ++row) {
      for (int column = std::max(0, x); column < right; ++column) {
        std::uint8_t* pixel = &rgb_[3u * (row * width_ + column)];
        pixel[0] = colour.Red;
        pixel[1] = colour.Green;
        pixel[2] = colour.Blue;
      }
    }
  }

  RgbColour At(int x, int y) const {
    const std::uint8_t* pixel = &rgb_[3u * (y * width_ + x)];
    return {pixel[0], pixel[1], pixel[2]};
  }

 private:
  int width_, height_;
  std::vector<std::uint8_t> rgb_;
};

}  // namespace calvern::platform
