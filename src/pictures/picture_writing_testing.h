// For tests, fuzz seeds and benchmarks: pictures made in memory and written in each format that
// #LOADIMAGE reads, PNG and JPEG by libpng and libjpeg, BMP and TGA byte by byte.
#pragma once

#include <jpeglib.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace calvern {

struct RgbImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // row by row from the top

  RgbImage(int w, int h, std::uint8_t red = 255, std::uint8_t green = 255, std::uint8_t blue = 255)
      : width(w), height(h), rgb(3u * w * h) {
    for (int k = 0; k < w * h; ++k)
      rgb[3u * k] = red, rgb[3u * k + 1] = green, rgb[3u * k + 2] = blue;
  }
  void Set(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    std::uint8_t* p = &rgb[3u * (y * width + x)];
    p[0] = red, p[1] = green, p[2] = blue;
  }
};

// As 8-bit RGB, or as grey (the red channel), grey with alpha, or RGB with alpha (alpha half
// transparent: colours are read as stored).
inline std::string PngBytes(const RgbImage& image, png_uint_32 format = PNG_FORMAT_RGB) {
  const int channels = PNG_IMAGE_SAMPLE_CHANNELS(format);
  std::vector<std::uint8_t> samples;
  for (std::size_t k = 0; k < image.rgb.size(); k += 3) {
    if (channels <= 2) samples.push_back(image.rgb[k]);
    if (channels >= 3) samples.insert(samples.end(), &image.rgb[k], &image.rgb[k] + 3);
    if (channels == 2 || channels == 4) samples.push_back(128);
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = image.width;
  png.height = image.height;
  png.format = format;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, samples.data(), 0, nullptr);
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, samples.data(), 0, nullptr)) {
    return "";
  }
  bytes.resize(size);
  return bytes;
}

// A libjpeg compressor that writes to memory: set the fields of `info` (jpeg_set_defaults and
// the rest), Start, write the rows, then Finish for the file's bytes.
class JpegMemoryWriter {
 public:
  JpegMemoryWriter() {
    info.err = jpeg_std_error(&errors_);
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer_, &size_);
  }
  ~JpegMemoryWriter() {
    jpeg_destroy_compress(&info);
    std::free(buffer_);
  }
  JpegMemoryWriter(const JpegMemoryWriter&) = delete;
  JpegMemoryWriter& operator=(const JpegMemoryWriter&) = delete;

  void Start() { jpeg_start_compress(&info, TRUE); }
  void WriteRow(const std::uint8_t* samples) {
    JSAMPROW row = const_cast<std::uint8_t*>(samples);
    jpeg_write_scanlines(&info, &row, 1);
  }
  std::string Finish() {
    jpeg_finish_compress(&info);
    return std::string(reinterpret_cast<char*>(buffer_), size_);
  }

  jpeg_compress_struct info;

 private:
  jpeg_error_mgr errors_;
  unsigned char* buffer_ = nullptr;
  unsigned long size_ = 0;
};

inline std::string JpegBytes(const RgbImage& image, int quality = 100) {
  JpegMemoryWriter jpeg;
  jpeg.info.image_width = image.width;
  jpeg.info.image_height = image.height;
  jpeg.info.input_components = 3;
  jpeg.info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&jpeg.info);
  jpeg_set_quality(&jpeg.info, quality, TRUE);
  jpeg.Start();
  for (int y = 0; y < image.height; ++y) jpeg.WriteRow(&image.rgb[3u * y * image.width]);
  return jpeg.Finish();
}

inline void PutLittle(std::string& out, std::uint32_t value, int count) {
  for (int k = 0; k < count; ++k) out += static_cast<char>(value >> (8 * k) & 0xFF);
}

// A 24-bit BMP, rows from the bottom, each padded to 4 bytes.
inline std::string BmpBytes(const RgbImage& image) {
  const int stride = (3 * image.width + 3) / 4 * 4;
  std::string b = "BM";
  PutLittle(b, 54 + stride * image.height, 4);
  PutLittle(b, 0, 4);
  PutLittle(b, 54, 4);
  for (std::uint32_t v : {40, image.width, image.height}) PutLittle(b, v, 4);
  PutLittle(b, 1, 2);
  PutLittle(b, 24, 2);
  for (int k = 0; k < 6; ++k) PutLittle(b, 0, 4);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = &image.rgb[3u * (y * image.width + x)];
      b += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
    }
    b.append(stride - 3 * image.width, '\0');
  }
  return b;
}

// A 24-bit TGA, rows from the top; with `rle`, each row as one run-length packet per pixel.
inline std::string TgaBytes(const RgbImage& image, bool rle = false) {
  std::string t = {0, 0, static_cast<char>(rle ? 10 : 2)};
  t.append(9, '\0');
  PutLittle(t, image.width, 2);
  PutLittle(t, image.height, 2);
  t += {24, 0x20};  // 24 bits, top-left origin
  for (int k = 0; k < image.width * image.height; ++k) {
    if (rle) t += '\x80';  // a run of one pixel
    const std::uint8_t* p = &image.rgb[3u * k];
    t += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
  }
  return t;
}

}  // namespace calvern
