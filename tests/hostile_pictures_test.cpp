// End-to-end: picture files built to make a decoder work hard compile or are refused within a
// small share of a second of the program's own processor time.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include "pictures/picture_variants_testing.h"
#include "slave_run.h"

namespace calvern_test {
namespace {

using calvern::JpegMemoryWriter;
using calvern::PutLittle;
using calvern::variants::PutBig;

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A grey progressive JPEG from libjpeg, `extraScans` empty scans (a header and no data) put
// before its end marker, and its size changed to `width` x `height`.
std::string ProgressiveJpeg(int width, int height, int extraScans) {
  std::string jpeg =
      calvern::variants::JpegFile(calvern::variants::Pattern(248, 248, calvern::variants::Greys(5)),
                                  {.grey = true, .progressive = true});
  const std::size_t frame = jpeg.find("\xFF\xC2");
  jpeg[frame + 5] = static_cast<char>(height >> 8), jpeg[frame + 6] = static_cast<char>(height);
  jpeg[frame + 7] = static_cast<char>(width >> 8), jpeg[frame + 8] = static_cast<char>(width);
  std::string scans;
  scans.reserve(10u * extraScans);
  for (int k = 0; k < extraScans; ++k)
    scans += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
  return jpeg.insert(jpeg.size() - 2, scans);
}

// A colour JPEG of 255 x 255 noise in the longest progression libjpeg writes for 3
// components: DC in 11 scans, then each AC coefficient of each component in 11.
std::string LongestProgression() {
  JpegMemoryWriter jpeg;
  jpeg_compress_struct& info = jpeg.info;
  info.image_width = info.image_height = 255;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  std::vector<jpeg_scan_info> scans;
  jpeg_scan_info scan{};
  scan.comps_in_scan = 3;
  scan.Al = 10;
  for (int c = 0; c < 3; ++c) scan.component_index[c] = c;
  for (int bit = 10; bit >= 0; --bit) scans.push_back(scan), scan.Ah = bit, scan.Al = bit - 1;
  for (int c = 0; c < 3; ++c) {
    for (int k = 1; k < 64; ++k) {
      jpeg_scan_info ac{
          .comps_in_scan = 1, .component_index = {c}, .Ss = k, .Se = k, .Ah = 0, .Al = 10};
      for (int bit = 10; bit >= 0; --bit) scans.push_back(ac), ac.Ah = bit, ac.Al = bit - 1;
    }
  }
  info.scan_info = scans.data();
  info.num_scans = static_cast<int>(scans.size());
  jpeg.Start();
  std::vector<std::uint8_t> row(3 * 255);
  std::uint32_t seed = 1;
  for (int y = 0; y < 255; ++y) {
    for (std::uint8_t& v : row)
      v = static_cast<std::uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    jpeg.WriteRow(row.data());
  }
  return jpeg.Finish();
}

void PngChunk(std::string& png, const std::string& type, const std::string& data) {
  PutBig(png, static_cast<std::uint32_t>(data.size()), 4);
  const std::string typed = type + data;
  png += typed;
  PutBig(png, crc32(0, reinterpret_cast<const Bytef*>(typed.data()), typed.size()), 4);
}

// A 255 x 255 grey PNG whose file is filled up to nearly 16 MiB by `filler` chunks before
// its picture data; with `emptyBlocks` the compressed data begins with empty stored blocks.
std::string PaddedPng(const std::string& fillerType, const std::string& filler, bool emptyBlocks) {
  const std::size_t target = (std::size_t{16} << 20) - 300000;
  std::string png = "\x89PNG\r\n\x1A\n", header;
  PutBig(header, 255, 4);
  PutBig(header, 255, 4);
  header += std::string{8, 0, 0, 0, 0};
  PngChunk(png, "IHDR", header);
  while (!fillerType.empty() && png.size() < target) PngChunk(png, fillerType, filler);
  std::string raw;
  for (int y = 0; y < 255; ++y)
    raw += std::string(1, '\0') + std::string(255, static_cast<char>(y));
  std::string z = "\x78\x01";
  while (emptyBlocks && z.size() < target) z += std::string("\x00\x00\x00\xFF\xFF", 5);
  z += '\x01';  // the last block: stored
  PutLittle(z, static_cast<std::uint32_t>(raw.size()), 2);
  PutLittle(z, static_cast<std::uint32_t>(~raw.size()), 2);
  z += raw;
  PutBig(z, adler32(1, reinterpret_cast<const Bytef*>(raw.data()), raw.size()), 4);
  for (std::size_t at = 0; at < z.size(); at += 1 << 20)
    PngChunk(png, "IDAT", z.substr(at, 1 << 20));
  PngChunk(png, "IEND", "");
  return png;
}

// A text of 8 MB that deflates to a few kilobytes: a zTXt chunk that would cost much to read.
std::string CompressedText() {
  const std::string text(8000000, 'a');
  uLongf size = compressBound(text.size());
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size,
           reinterpret_cast<const Bytef*>(text.data()), text.size());
  return std::string("key\0\0", 5) + packed.substr(0, size);
}

// A 255 x 255 run-length BMP that moves by nothing (escape 0 2 0 0) millions of times.
std::string StandingBmp() {
  std::string b =
      calvern::variants::BmpFile(calvern::RgbImage(255, 255), {.bits = 8, .compression = 1});
  const std::string still("\x00\x02\x00\x00", 4);
  std::string moves;
  for (std::size_t k = 0; k < (std::size_t{15} << 20) / 4; ++k) moves += still;
  const std::size_t pixelData = 14 + 40 + 256 * 4;  // the headers and the palette
  return b.insert(pixelData, moves);
}

TEST(HostilePictures, CompileOrAreRefusedQuickly) {
  const std::string graph = "   a picture becomes a graph of at most 255 x 255 dots: ";
  struct Case {
    std::string name, bytes, status;  // status line 2 after an error, "" for a compilation
  };
  const std::vector<Case> cases = {
      {"wide.jpg", ProgressiveJpeg(4096, 4096, 10000), graph + "wide.jpg (4096 x 4096)"},
      {"scans.jpg", ProgressiveJpeg(248, 248, 1000000),
       "   Can't load image! scans.jpg: a JPEG of more than 3000 scans is not read"},
      {"longest.jpg", LongestProgression(), ""},
      {"chunks.png", PaddedPng("quIt", "", false), ""},
      {"texts.png", PaddedPng("zTXt", CompressedText(), false), ""},
      {"blocks.png", PaddedPng("", "", true), ""},
      {"standing.bmp", StandingBmp(), ""},
  };
  for (const Case& c : cases) {
    TempDir dir;
    dir.Write(c.name, c.bytes);
    const double before = ChildrenCpuSeconds();
    RunResult run = CompileInSlaveMode(dir, "#LOADIMAGE 2 \"" + c.name + "\"\n", false);
    const double seconds = ChildrenCpuSeconds() - before;
    if (c.status.empty()) {
      EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.errorOutput;
    } else {
      EXPECT_EQ(run.errorOutput, CompilationReport("ERROR at line 1 " + c.status + " ")) << c.name;
    }
    EXPECT_LT(seconds, 0.5) << c.name << " (" << c.bytes.size() << " bytes)";
    std::printf("%s: %.3f s of processor time\n", c.name.c_str(), seconds);
    std::fflush(stdout);  // before the next run's fork copies the buffer
  }
}

}  // namespace
}  // namespace calvern_test
