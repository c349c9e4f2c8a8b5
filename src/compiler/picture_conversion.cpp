#include "compiler/picture_conversion.h"

#include <algorithm>

namespace calvern {
namespace {

constexpr int kWhite = 2550;
constexpr int kHalf = 1275;  // above it a pixel is paper; at exactly half it is ink

}  // namespace

DotGrid InkDots(const GreyPicture& picture, InkOptions options) {
  const int width = picture.width, height = picture.height;
  DotGrid dots(width, height);
  // The grey levels, then the error each pixel receives from its neighbours already decided.
  std::vector<int> level(picture.grey.begin(), picture.grey.end());
  if (options.negative) {
    for (int& g : level) g = kWhite - g;
  }
  auto at = [&](int x, int y) -> int& { return level[static_cast<std::size_t>(y) * width + x]; };
  // Spreads part of the error to a neighbour; the parts that fall outside the picture are lost.
  auto spread = [&](int x, int y, int part) {
    if (x >= 0 && x < width && y < height) at(x, y) += part;
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int g = at(x, y);
      if (!options.dither) {
        dots.SetInk(x + 1, y, g <= kHalf);
        continue;
      }
      g = std::clamp(g, 0, kWhite);
      const bool paper = g > kHalf;
      dots.SetInk(x + 1, y, !paper);
      // Integer arithmetic, each product formed before its division, which truncates toward
      // zero, so that a picture gives the same dots on every machine.
      const int error = paper ? g - kWhite : g;
      spread(x + 1, y, 7 * error / 16);
      spread(x + 1, y + 1, error / 16);
      spread(x, y + 1, 5 * error / 16);
      spread(x - 1, y + 1, 3 * error / 16);
    }
  }
  return dots;
}

}  // namespace calvern
