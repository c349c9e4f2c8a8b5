// #LOADIMAGE with real picture files written by the tests: colours, negative, threshold and
// dithering in every format, and damaged, cut or oversized files refused cleanly.
#include "pictures/picture_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "compiler/compile_testing.h"
#include "pictures/picture_variants_testing.h"
#include "pictures/picture_writing_testing.h"

namespace calvern {
namespace {

namespace fs = std::filesystem;

class PictureFilesTest : public ::testing::Test {
 protected:
  PictureFilesTest() {
    std::string pattern = (fs::temp_directory_path() / "calvern-pictures-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  ~PictureFilesTest() override { fs::remove_all(dir_); }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  // Compiles one #LOADIMAGE of a file of the test's directory, named without its directory
  // (so it is found beside the source); the graph's bytes, or status line 2 after an error.
  Texts Load(int option, const std::string& name) {
    CompileOptions options;
    options.pictures = &loader_;
    options.sourceDirectory = dir_.string() + "/";
    TestCompiler c;
    const std::string source = "#LOADIMAGE " + std::to_string(option) + " \"" + name + "\"";
    if (c.CompileText(source, options) != 0) return {c.Status[2]};
    return c.Codes(0, c.CurrentStep());
  }

  fs::path dir_;
  PictureFiles loader_;
};

// A 4 x 2 grey picture whose dithered dots depend on every rounding rule: truncation toward
// zero, and each product formed before its division. Worked out by hand:
//   row 0: 1630 paper (error -920), 1280-402 = 878 ink (878), 1190+384 = 1574 paper (-976),
//          1230-427 = 803 ink;
//   row 1: 1300-287+164 = 1177 ink (1177), 1290-57+274-183+514 = 1838 paper (-712),
//          1690+54-305+150-311 = 1278 paper (-1272), 1640-61+250-556 = 1273 ink.
RgbImage DitherSample() {
  RgbImage image(4, 2);
  const int grey[2][4] = {{163, 128, 119, 123}, {130, 129, 169, 164}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      const auto v = static_cast<std::uint8_t>(grey[y][x]);
      image.Set(x, y, v, v, v);
    }
  }
  return image;
}

TEST_F(PictureFilesTest, ColoursBecomeDots) {
  RgbImage corner(3, 2);  // black top-left pixel: shows which way up a format is read
  corner.Set(0, 0, 0, 0, 0);
  RgbImage half(3, 2, 125, 130, 120);  // grey level exactly 1275
  Write("white.png", PngBytes(RgbImage(3, 2)));
  Write("black.png", PngBytes(RgbImage(3, 2, 0, 0, 0)));
  Write("mid.png", PngBytes(RgbImage(3, 2, 128, 128, 128)));
  Write("half.png", PngBytes(half));
  Write("corner.png", PngBytes(corner));
  Write("corner-grey.png", PngBytes(corner, PNG_FORMAT_GRAY));
  Write("corner-ga.png", PngBytes(corner, PNG_FORMAT_GA));
  Write("corner-rgba.png", PngBytes(corner, PNG_FORMAT_RGBA));
  Write("corner.bmp", BmpBytes(corner));
  Write("corner.tga", TgaBytes(corner));
  Write("corner-rle.tga", TgaBytes(corner, true));
  Write("dither.png", PngBytes(DitherSample()));
  Write("dither.bmp", BmpBytes(DitherSample()));
  Write("white.jpg", JpegBytes(RgbImage(8, 8)));
  Write("black.jpg", JpegBytes(RgbImage(8, 8, 0, 0, 0)));
  const Texts blank = {"03", "02", "00", "00", "00"}, ink = {"03", "02", "03", "03", "03"};
  const Texts top = {"03", "02", "01", "00", "00"};
  const Texts dithered = {"04", "02", "02", "01", "00", "03"};
  const std::vector<std::tuple<int, std::string, Texts>> cases = {
      {0, "white.png", blank},
      {1, "white.png", ink},
      {0, "black.png", ink},
      {1, "black.png", blank},
      {3, "black.png", blank},
      // 128, 128, 128 is grey level 1280, above half: blank without dithering.
      {0, "mid.png", blank},
      {1, "mid.png", ink},
      {0, "half.png", ink},  // exactly half is ink
      {0, "corner.png", top},
      {0, "corner-grey.png", top},
      {0, "corner-ga.png", top},
      {0, "corner-rgba.png", top},
      {0, "corner.bmp", top},
      {0, "corner.tga", top},
      {0, "corner-rle.tga", top},
      {2, "dither.png", dithered},
      {2, "dither.bmp", dithered},
      {0, "dither.png", {"04", "02", "00", "00", "01", "01"}},
      // Negative and dithered: the levels are turned over before the errors spread.
      {3, "dither.png", {"04", "02", "01", "02", "03", "00"}},
      {0, "white.jpg", {"08", "08", "00", "00", "00", "00", "00", "00", "00", "00"}},
      {0, "black.jpg", {"08", "08", "FF", "FF", "FF", "FF", "FF", "FF", "FF", "FF"}},
  };
  for (const auto& [option, name, codes] : cases) {
    EXPECT_EQ(Load(option, name), codes) << option << " " << name;
  }
}

// Each variant of each format decodes to the grey levels of the pixels written into it (a JPEG
// to within its tolerance).
TEST(PictureVariants, EveryVariantGivesItsGreyLevels) {
  for (const PictureVariant& v : PictureVariants()) {
    const PictureLoad load = DecodePicture(v.bytes);
    ASSERT_EQ(load.failure, PictureFailure::kNone) << v.name << " " << load.detail;
    ASSERT_EQ(load.picture.width, v.pixels.width) << v.name;
    ASSERT_EQ(load.picture.height, v.pixels.height) << v.name;
    int wrong = 0;
    for (int k = 0; k < v.pixels.width * v.pixels.height && wrong < 3; ++k) {
      const std::uint8_t* p = &v.pixels.rgb[3u * k];
      const int expected = GreyLevel(p[0], p[1], p[2]);
      if (std::abs(load.picture.grey[k] - expected) > v.greyTolerance) {
        ADD_FAILURE() << v.name << ": pixel " << k % v.pixels.width << ", " << k / v.pixels.width
                      << " is grey " << load.picture.grey[k] << ", written " << expected;
        ++wrong;
      }
    }
  }
}

// A 1 x 1 PNG whose header announces another width, with the header's check sum made right.
std::string PngClaimingWidth(std::uint32_t width) {
  std::string png = PngBytes(RgbImage(1, 1));
  for (int k = 0; k < 4; ++k) png[16 + k] = static_cast<char>(width >> (24 - 8 * k));
  const std::uint32_t crc =
      crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);  // "IHDR" and its data
  for (int k = 0; k < 4; ++k) png[29 + k] = static_cast<char>(crc >> (24 - 8 * k));
  return png;
}

TEST_F(PictureFilesTest, DamagedAndOversizedFilesAreRefused) {
  RgbImage noise(64, 64);
  for (int k = 0; k < 64 * 64; ++k) noise.Set(k % 64, k / 64, k * 37 % 256, k * 11 % 256, k % 256);
  const std::string png = PngBytes(noise), jpeg = JpegBytes(noise, 90);
  const std::string bmp = BmpBytes(noise), tga = TgaBytes(noise), rle = TgaBytes(noise, true);
  Write("cut.png", png.substr(0, png.size() / 2));
  Write("cut.jpg", jpeg.substr(0, jpeg.size() * 2 / 3));
  Write("cut.bmp", bmp.substr(0, bmp.size() - 3));
  Write("cut.tga", tga.substr(0, tga.size() - 3));
  Write("cut-rle.tga", rle.substr(0, rle.size() - 3));
  Write("text.png", "not a picture at all");
  Write("empty.bmp", "");
  Write("wide.png", PngClaimingWidth(100000));
  Write("big.png", PngBytes(RgbImage(300, 2)));
  Write("huge.png", "");
  fs::resize_file(dir_ / "huge.png", kMaxPictureFileBytes + 1);  // sparse: costs no disk
  // Pictures without pixels: no rows, no columns, or a TGA header without a picture.
  Write("flat.bmp", variants::BmpFile(RgbImage(3, 0), {}));
  Write("thin.png", PngClaimingWidth(0));
  std::string jpegWithoutRows = JpegBytes(RgbImage(8, 8));
  jpegWithoutRows[jpegWithoutRows.find("\xFF\xC0") + 5] = 0;
  jpegWithoutRows[jpegWithoutRows.find("\xFF\xC0") + 6] = 0;
  Write("flat.jpg", jpegWithoutRows);
  Write("thin.tga", TgaBytes(RgbImage(0, 3)));
  std::string noPicture = TgaBytes(RgbImage(1, 1));
  noPicture[2] = 0;
  Write("none.tga", noPicture);
  std::string embedded = variants::BmpFile(RgbImage(2, 2), {});
  embedded[30] = 4;  // compression: a JPEG inside
  Write("embedded.bmp", embedded);
  std::string wideBmp = variants::BmpFile(RgbImage(2, 2), {});
  wideBmp[21] = 0x7F;  // a width of more than two thousand million
  Write("wide.bmp", wideBmp);
  const std::string cant = "   Can't load image! ";
  const std::string cut = ": the file ends inside the picture";
  const std::string notPicture = ": not a BMP, PNG, JPEG or TGA picture";
  const std::string graph = "   a picture becomes a graph of at most 255 x 255 dots: ";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"cut.png", cant + "cut.png" + cut},
      {"cut.jpg", cant + "cut.jpg" + cut},
      {"cut.bmp", cant + "cut.bmp" + cut},
      {"cut.tga", cant + "cut.tga" + cut},
      {"cut-rle.tga", cant + "cut-rle.tga" + cut},
      {"text.png", cant + "text.png" + notPicture},
      {"empty.bmp", cant + "empty.bmp" + notPicture},
      {"missing.png", cant + "missing.png: no such file"},
      {"wide.png", graph + "wide.png (100000 x 1)"},
      {"huge.png", "   picture file too large to read (at most 16 MiB): huge.png (16777217 bytes)"},
      {"big.png", graph + "big.png (300 x 2)"},
      {"wide.bmp", graph + "wide.bmp (2130706434 x 2)"},
      {"flat.bmp", "   picture has no pixels: flat.bmp"},
      {"thin.png", "   picture has no pixels: thin.png"},
      {"flat.jpg", "   picture has no pixels: flat.jpg"},
      {"thin.tga", "   picture has no pixels: thin.tga"},
      {"none.tga", "   picture has no pixels: none.tga"},
      {"embedded.bmp",
       cant + "embedded.bmp: a kind of picture that is not read: BMP of compression kind 4"},
  };
  for (const auto& [name, status] : cases) EXPECT_EQ(Load(0, name), Texts{status}) << name;
  // The whole files load: only the damage made them fail.
  for (const auto& [name, bytes] : {std::pair{"whole.png", png},
                                    {"whole.jpg", jpeg},
                                    {"whole.bmp", bmp},
                                    {"whole.tga", tga},
                                    {"rle.tga", rle}}) {
    Write(name, bytes);
    EXPECT_EQ(Load(2, name).size(), 2u + 64 * 8) << name;
  }
}

}  // namespace
}  // namespace calvern
