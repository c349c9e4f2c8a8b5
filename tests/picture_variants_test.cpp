// End-to-end: every variant of BMP, TGA, PNG and JPEG that #LOADIMAGE reads compiles, through
// the built program (on Windows too, under Wine), to the dots of the pixels written into it.
#include <gtest/gtest.h>

#include "pictures/picture_variants_testing.h"
#include "slave_run.h"

namespace calvern_test {
namespace {

// The graph block of a picture without dithering: width, height, then each column as bands of
// 8 rows from the top, the top row in bit 0; a pixel of grey level 1275 or less is ink.
std::string ThresholdGraph(const calvern::RgbImage& image) {
  std::string graph = {static_cast<char>(image.width), static_cast<char>(image.height)};
  for (int x = 0; x < image.width; ++x) {
    for (int band = 0; band < (image.height + 7) / 8; ++band) {
      int byte = 0;
      for (int bit = 0; bit < 8 && band * 8 + bit < image.height; ++bit) {
        const std::uint8_t* p = &image.rgb[3u * ((band * 8 + bit) * image.width + x)];
        if (3 * p[0] + 6 * p[1] + p[2] <= 1275) byte |= 1 << bit;
      }
      graph += static_cast<char>(byte);
    }
  }
  return graph;
}

std::string Hex(const std::string& bytes) {
  std::string text;
  for (unsigned char b : bytes) {
    char cell[4];
    std::snprintf(cell, sizeof cell, "%02X ", b);
    text += cell;
  }
  return text;
}

TEST(PictureVariants, EveryVariantCompilesToTheDotsOfItsPixels) {
  const std::vector<calvern::PictureVariant> variants = calvern::PictureVariants();
  TempDir dir;
  std::string source;
  for (const calvern::PictureVariant& v : variants) {
    dir.Write(v.name, v.bytes);
    source += "#LOADIMAGE 0 \"" + v.name + "\"\n";
  }
  RunResult run = CompileInSlaveMode(dir, source);
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
  // The MKP file: the first block's number, then a value and a kind byte per step from 0.
  const std::string mkp = dir.Read("prog.MKP");
  std::size_t step = 0;
  for (const calvern::PictureVariant& v : variants) {
    const std::string expected = ThresholdGraph(v.pixels);
    std::string compiled;
    for (std::size_t k = 0; k < expected.size() && 1 + 2 * (step + k) < mkp.size(); ++k) {
      compiled += mkp[1 + 2 * (step + k)];
    }
    EXPECT_EQ(Hex(compiled), Hex(expected)) << v.name;
    step += expected.size();
  }
}

}  // namespace
}  // namespace calvern_test
