// For tests: one small picture written in every variant of the four formats that #LOADIMAGE
// reads, each file built byte by byte here (PNG through libpng's writer, JPEG through libjpeg's
// compressor), beside the pixels it holds. The colours are chosen so that a mistaken channel
// order, a palette shifted by an entry, a mirrored or flipped picture or a wrong scaling of
// short channels changes the grey levels.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "pictures/picture_writing_testing.h"

namespace calvern {

struct PictureVariant {
  std::string name;  // a file name with the format's extension
  std::string bytes;
  RgbImage pixels;        // what the file holds
  int greyTolerance = 0;  // how far a lossy format's grey levels may stray
};

namespace variants {

using Rgb = std::array<std::uint8_t, 3>;

// The eight colours whose channels are 0 or 255: exact in channels of any width, and all of
// different grey levels (red 765 and blue 255 tell the channel order).
inline const std::vector<Rgb> kCorners = {{0, 0, 0},     {0, 0, 255},    {255, 0, 0},
                                          {255, 0, 255}, {0, 255, 0},    {0, 255, 255},
                                          {255, 255, 0}, {255, 255, 255}};
// Colours of full 8-bit channels, two of them on either side of the threshold (grey 1275 is
// ink, 1276 paper).
inline const std::vector<Rgb> kFine = {
    {125, 130, 120}, {125, 130, 121}, {13, 200, 77},  {240, 17, 160},  {99, 99, 98}, {255, 254, 1},
    {0, 1, 2},       {181, 52, 230},  {64, 128, 192}, {250, 250, 250}, {7, 77, 177}, {144, 33, 66},
    {30, 220, 110},  {200, 100, 50},  {1, 0, 255},    {128, 128, 128}};

// A picture that looks different turned in any way: pixel (x, y) takes colour
// (x * 5 + y * 3 + x * y) mod the number of colours.
inline RgbImage Pattern(int width, int height, const std::vector<Rgb>& colours) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& c = colours[(x * 5 + y * 3 + x * y) % colours.size()];
      image.Set(x, y, c[0], c[1], c[2]);
    }
  }
  return image;
}

// Grey colours 0-255 in `levels` even steps (the values a grey sample of few bits stands for).
inline std::vector<Rgb> Greys(int levels) {
  std::vector<Rgb> greys;
  for (int k = 0; k < levels; ++k) {
    const auto v = static_cast<std::uint8_t>(k * 255 / (levels - 1));
    greys.push_back({v, v, v});
  }
  return greys;
}

inline Rgb At(const RgbImage& image, int x, int y) {
  const std::uint8_t* p = &image.rgb[3u * (y * image.width + x)];
  return {p[0], p[1], p[2]};
}

// The picture's colours in order of first appearance, and each pixel's index among them.
struct Indexed {
  std::vector<Rgb> palette;
  std::vector<int> index;  // rows from the top
};
inline Indexed IndexedOf(const RgbImage& image) {
  Indexed out;
  std::map<Rgb, int> seen;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = At(image, x, y);
      auto [it, added] = seen.emplace(c, static_cast<int>(out.palette.size()));
      if (added) out.palette.push_back(c);
      out.index.push_back(it->second);
    }
  }
  return out;
}

inline void PutBig(std::string& out, std::uint32_t value, int count) {
  for (int k = count - 1; k >= 0; --k) out += static_cast<char>(value >> (8 * k) & 0xFF);
}

// A channel 0-255 into a field of `mask`'s bits (0 and 255 are exact in any width).
inline std::uint32_t Field(std::uint8_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while ((mask >> shift & 1) == 0) ++shift;
  const std::uint32_t full = mask >> shift;
  return (value * full + 127) / 255 << shift;
}

// ---- BMP ----

struct BmpLayout {
  int headerSize = 40;  // 12 (OS/2), 40, 108, 124
  int bits = 24;
  int compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  bool topDown = false;
  // Red, green and blue: bit fields, or the layout of plain 16 to 32-bit pixels.
  std::array<std::uint32_t, 3> masks = {0xFF0000, 0x00FF00, 0x0000FF};
  int tableEntries = 0;  // a colour table on a true-colour picture
};

// Run-length coded rows of indexes: runs of equal pixels as count and index (RLE4: two
// nibbles), other stretches of 3 or more as literal packets; each row ends with 00 00.
inline std::string RunLengthRows(const Indexed& indexed, int width, int height, bool nibbles) {
  std::string out;
  for (int row = height - 1; row >= 0; --row) {
    const int* line = &indexed.index[static_cast<std::size_t>(row) * width];
    for (int x = 0; x < width;) {
      int run = 1;
      while (x + run < width && line[x + run] == line[x] && run < 255) ++run;
      int literal = 0;
      while (x + literal < width && literal < 255 &&
             (x + literal + 1 >= width || line[x + literal + 1] != line[x + literal])) {
        ++literal;
      }
      if (run >= 2 || literal < 3) {
        const int v = nibbles ? line[x] << 4 | line[x] : line[x];
        out += {static_cast<char>(run), static_cast<char>(v)};
        x += run;
        continue;
      }
      out += {0, static_cast<char>(literal)};
      std::string data;
      for (int k = 0; k < literal; ++k) {
        if (!nibbles)
          data += static_cast<char>(line[x + k]);
        else if (k % 2 == 0)
          data += static_cast<char>(line[x + k] << 4);
        else
          data.back() = static_cast<char>(data.back() | line[x + k]);
      }
      if (data.size() % 2) data += '\0';
      out += data;
      x += literal;
    }
    out += {0, 0};
  }
  return out + std::string{0, 1};
}

inline std::string BmpFile(const RgbImage& image, const BmpLayout& l) {
  const Indexed indexed = IndexedOf(image);
  const bool paletted = l.bits <= 8;
  const int entryBytes = l.headerSize == 12 ? 3 : 4;
  const int entries = paletted ? 1 << l.bits : l.tableEntries;
  const bool fieldsAfterHeader = l.compression == 3 && l.headerSize == 40;
  const int tableStart = 14 + l.headerSize + (fieldsAfterHeader ? 12 : 0);
  const int dataOffset = tableStart + entries * entryBytes;

  std::string header;
  if (l.headerSize == 12) {
    PutLittle(header, 12, 4);
    PutLittle(header, image.width, 2);
    PutLittle(header, image.height, 2);
    PutLittle(header, 1, 2);
    PutLittle(header, l.bits, 2);
  } else {
    PutLittle(header, l.headerSize, 4);
    PutLittle(header, image.width, 4);
    PutLittle(header, l.topDown ? -image.height : image.height, 4);
    PutLittle(header, 1, 2);
    PutLittle(header, l.bits, 2);
    PutLittle(header, l.compression, 4);
    PutLittle(header, 0, 4);     // size of the pixel data: may be 0
    PutLittle(header, 2835, 4);  // 72 dots per inch
    PutLittle(header, 2835, 4);
    PutLittle(header, paletted ? 0 : entries, 4);  // colours used: 0 means all
    PutLittle(header, 0, 4);
    if (l.headerSize > 40) {
      for (std::uint32_t m : l.masks) PutLittle(header, l.compression == 3 ? m : 0, 4);
      PutLittle(header, 0, 4);  // alpha mask
      header.append(l.headerSize - header.size(), '\0');
    }
  }
  if (fieldsAfterHeader) {
    for (std::uint32_t m : l.masks) PutLittle(header, m, 4);
  }
  for (int k = 0; k < entries; ++k) {
    // Colours the picture does not use fill a table of 2^bits entries with something visible.
    const Rgb c =
        k < static_cast<int>(indexed.palette.size()) ? indexed.palette[k] : Rgb{90, 60, 30};
    header += {static_cast<char>(c[2]), static_cast<char>(c[1]), static_cast<char>(c[0])};
    if (entryBytes == 4) header += '\0';
  }

  std::string pixels;
  if (l.compression == 1 || l.compression == 2) {
    pixels = RunLengthRows(indexed, image.width, image.height, l.compression == 2);
  } else {
    const int stride = (image.width * l.bits + 31) / 32 * 4;
    for (int k = 0; k < image.height; ++k) {
      const int y = l.topDown ? k : image.height - 1 - k;
      std::string row(stride, '\0');
      for (int x = 0; x < image.width; ++x) {
        if (paletted) {
          const int bit = x * l.bits;
          const int index = indexed.index[static_cast<std::size_t>(y) * image.width + x];
          row[bit / 8] = static_cast<char>(row[bit / 8] | index << (8 - l.bits - bit % 8));
          continue;
        }
        const Rgb c = At(image, x, y);
        const std::uint32_t value =
            Field(c[0], l.masks[0]) | Field(c[1], l.masks[1]) | Field(c[2], l.masks[2]);
        for (int b = 0; b < l.bits / 8; ++b)
          row[x * l.bits / 8 + b] = static_cast<char>(value >> 8 * b);
      }
      pixels += row;
    }
  }
  std::string file = "BM";
  PutLittle(file, dataOffset + pixels.size(), 4);
  PutLittle(file, 0, 4);
  PutLittle(file, dataOffset, 4);
  return file + header + pixels;
}

// ---- TGA ----

struct TgaLayout {
  int type = 2;  // 1 colour-mapped, 2 true colour, 3 grey
  int bits = 24;
  bool runLength = false;
  bool rightToLeft = false;
  bool topDown = false;
  int mapBits = 24;  // colour-map entries: 16, 24 or 32 bits
  int mapFirst = 0;  // number of the first map entry
  int idLength = 0;  // an identification field before the map
};

inline std::uint32_t TgaColour(const Rgb& c, int bits) {
  if (bits <= 16) return Field(c[0], 0x7C00) | Field(c[1], 0x03E0) | Field(c[2], 0x001F) | 0x8000;
  return std::uint32_t{c[0]} << 16 | c[1] << 8 | c[2] | 0xFF000000u;
}

inline std::string TgaFile(const RgbImage& image, const TgaLayout& l) {
  const Indexed indexed = IndexedOf(image);
  const bool mapped = l.type == 1;
  std::string t = {static_cast<char>(l.idLength), static_cast<char>(mapped ? 1 : 0),
                   static_cast<char>(l.type + (l.runLength ? 8 : 0))};
  PutLittle(t, mapped ? l.mapFirst : 0, 2);
  PutLittle(t, mapped ? indexed.palette.size() : 0, 2);
  t += static_cast<char>(mapped ? l.mapBits : 0);
  PutLittle(t, 0, 4);  // origin on the screen
  PutLittle(t, image.width, 2);
  PutLittle(t, image.height, 2);
  t += {static_cast<char>(l.bits),
        static_cast<char>((l.rightToLeft ? 0x10 : 0) | (l.topDown ? 0x20 : 0))};
  t.append(l.idLength, 'i');
  if (mapped) {
    for (const Rgb& c : indexed.palette) PutLittle(t, TgaColour(c, l.mapBits), (l.mapBits + 7) / 8);
  }
  // The pixel values in stored order.
  std::vector<std::uint32_t> values;
  for (int k = 0; k < image.height; ++k) {
    const int y = l.topDown ? k : image.height - 1 - k;
    for (int j = 0; j < image.width; ++j) {
      const int x = l.rightToLeft ? image.width - 1 - j : j;
      const std::size_t at = static_cast<std::size_t>(y) * image.width + x;
      values.push_back(mapped        ? indexed.index[at] + l.mapFirst
                       : l.type == 3 ? At(image, x, y)[0]
                                     : TgaColour(At(image, x, y), l.bits));
    }
  }
  const int bytes = (l.bits + 7) / 8;
  // Run-length packets run on from one row to the next: repeats of equal values, raw packets
  // of the others.
  for (std::size_t k = 0; k < values.size();) {
    std::size_t run = 1;
    while (k + run < values.size() && values[k + run] == values[k] && run < 128) ++run;
    if (!l.runLength) {
      run = values.size() - k;
    } else if (run >= 2) {
      t += static_cast<char>(0x80 | (run - 1));
      PutLittle(t, values[k], bytes);
      k += run;
      continue;
    } else {
      while (k + run < values.size() && values[k + run] != values[k + run - 1] && run < 128) ++run;
      t += static_cast<char>(run - 1);
    }
    for (std::size_t j = 0; j < run; ++j) PutLittle(t, values[k + j], bytes);
    k += run;
  }
  return t;
}

// ---- PNG ----

struct PngLayout {
  int colourType = PNG_COLOR_TYPE_RGB;
  int depth = 8;
  bool interlaced = false;
  bool transparency = false;  // a tRNS chunk, or alpha that varies from pixel to pixel
};

inline void AppendPng(png_structp png, png_bytep data, png_size_t size) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), size);
}

inline std::string PngFile(const RgbImage& image, const PngLayout& l) {
  const Indexed indexed = IndexedOf(image);
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return "";
  }
  png_set_write_fn(png, &out, AppendPng, nullptr);
  png_set_IHDR(png, info, image.width, image.height, l.depth, l.colourType,
               l.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  std::vector<png_byte> alphas;
  for (const Rgb& c : indexed.palette) {
    palette.push_back({c[0], c[1], c[2]});
    alphas.push_back(static_cast<png_byte>(palette.size() * 37 % 256));
  }
  if (l.colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  }
  if (l.transparency && !(l.colourType & PNG_COLOR_MASK_ALPHA)) {
    // The first colour is the transparent one (for a palette: every entry more or less so).
    png_color_16 key{};
    const int full = (1 << l.depth) - 1;
    key.gray = static_cast<png_uint_16>(indexed.palette[0][0] * full / 255);
    key.red = static_cast<png_uint_16>(indexed.palette[0][0] * full / 255);
    key.green = static_cast<png_uint_16>(indexed.palette[0][1] * full / 255);
    key.blue = static_cast<png_uint_16>(indexed.palette[0][2] * full / 255);
    if (l.colourType == PNG_COLOR_TYPE_PALETTE) {
      png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
    } else {
      png_set_tRNS(png, info, nullptr, 0, &key);
    }
  }
  png_write_info(png, info);
  if (l.depth < 8) png_set_packing(png);
  // Samples of `depth` bits, one or two bytes each (big-endian); the value of a channel c is
  // c scaled to the depth, which is exact for the colours each layout is given.
  const bool grey = !(l.colourType & PNG_COLOR_MASK_COLOR);
  const int full = (1 << l.depth) - 1;
  std::vector<std::string> rows(image.height);
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < image.height; ++y) {
    std::string& row = rows[y];
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = At(image, x, y);
      std::vector<std::uint32_t> samples;
      if (l.colourType == PNG_COLOR_TYPE_PALETTE) {
        samples = {static_cast<std::uint32_t>(indexed.index[y * image.width + x])};
      } else if (grey) {
        samples = {static_cast<std::uint32_t>(c[0] * full / 255)};
      } else {
        for (std::uint8_t v : c) samples.push_back(v * full / 255);
      }
      if (l.colourType & PNG_COLOR_MASK_ALPHA)
        samples.push_back(l.transparency ? (x * 97 + y * 31) % full : full);
      for (std::uint32_t s : samples) PutBig(row, s, l.depth == 16 ? 2 : 1);
    }
    rowPointers.push_back(reinterpret_cast<png_bytep>(row.data()));
  }
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// ---- JPEG ----

enum class JpegInk { kNone, kCmyk, kAdobeCmyk, kAdobeYcck };

struct JpegLayout {
  bool grey = false;
  JpegInk ink = JpegInk::kNone;
  bool progressive = false;
};

// Quality 100 and every component at full resolution: blocks of one colour come back with
// their colour, give or take the rounding of the colour transform.
inline std::string JpegFile(const RgbImage& image, const JpegLayout& l) {
  JpegMemoryWriter jpeg;
  jpeg_compress_struct& info = jpeg.info;
  info.image_width = image.width;
  info.image_height = image.height;
  const bool ink = l.ink != JpegInk::kNone;
  info.input_components = l.grey ? 1 : ink ? 4 : 3;
  info.in_color_space = l.grey ? JCS_GRAYSCALE : ink ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  if (l.ink == JpegInk::kAdobeYcck) jpeg_set_colorspace(&info, JCS_YCCK);
  // libjpeg marks every CMYK file as Adobe's; a plain one goes without the marker.
  info.write_Adobe_marker = l.ink == JpegInk::kAdobeCmyk || l.ink == JpegInk::kAdobeYcck;
  jpeg_set_quality(&info, 100, TRUE);
  for (int k = 0; k < info.num_components; ++k) {
    info.comp_info[k].h_samp_factor = info.comp_info[k].v_samp_factor = 1;
  }
  if (l.progressive) jpeg_simple_progression(&info);
  jpeg.Start();
  std::vector<std::uint8_t> row;
  for (int y = 0; y < image.height; ++y) {
    row.clear();
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = At(image, x, y);
      if (l.grey) {
        row.push_back(c[0]);
      } else if (!ink) {
        row.insert(row.end(), c.begin(), c.end());
      } else {
        // Corner colours as ink: black as black ink alone, the others as cyan, magenta and
        // yellow; Adobe's files store what is left of the light.
        const bool black = c == Rgb{0, 0, 0};
        const std::uint8_t quad[4] = {static_cast<std::uint8_t>(black ? 0 : 255 - c[0]),
                                      static_cast<std::uint8_t>(black ? 0 : 255 - c[1]),
                                      static_cast<std::uint8_t>(black ? 0 : 255 - c[2]),
                                      static_cast<std::uint8_t>(black ? 255 : 0)};
        for (std::uint8_t v : quad) row.push_back(l.ink == JpegInk::kCmyk ? v : 255 - v);
      }
    }
    jpeg.WriteRow(row.data());
  }
  return jpeg.Finish();
}

// A picture of 8 x 8 blocks, each of one colour: what a JPEG keeps best.
inline RgbImage Blocks(int columns, int rows, const std::vector<Rgb>& colours) {
  RgbImage blocks = Pattern(columns, rows, colours);
  RgbImage image(8 * columns, 8 * rows);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = At(blocks, x / 8, y / 8);
      image.Set(x, y, c[0], c[1], c[2]);
    }
  }
  return image;
}

}  // namespace variants

// Every variant, 11 x 9 pixels where the format allows (odd sizes: rows need padding, indexes
// cross byte boundaries, a column holds two bands of rows), JPEGs 24 x 16 in blocks.
inline std::vector<PictureVariant> PictureVariants() {
  using namespace variants;
  const std::vector<Rgb> two = {{255, 0, 0}, {0, 255, 255}};
  std::vector<Rgb> sixteen = kFine;
  std::vector<Rgb> many = kFine;  // more colours than 4 bits hold
  for (const Rgb& c : kCorners) many.push_back(c);
  const RgbImage fine = Pattern(11, 9, many), corners = Pattern(11, 9, kCorners);
  std::vector<PictureVariant> v;
  auto bmp = [&](const std::string& name, const RgbImage& image, BmpLayout layout) {
    v.push_back({name + ".bmp", BmpFile(image, layout), image});
  };
  constexpr std::array<std::uint32_t, 3> k565 = {0xF800, 0x07E0, 0x001F};
  constexpr std::array<std::uint32_t, 3> k555 = {0x7C00, 0x03E0, 0x001F};
  constexpr std::array<std::uint32_t, 3> kBgrx = {0xFF0000, 0x00FF00, 0x0000FF};
  constexpr std::array<std::uint32_t, 3> kRgbx = {0x0000FF, 0x00FF00, 0xFF0000};
  bmp("1-bit", Pattern(11, 9, two), {.bits = 1});
  bmp("1-bit-os2", Pattern(11, 9, two), {.headerSize = 12, .bits = 1});
  bmp("4-bit", Pattern(11, 9, sixteen), {.bits = 4});
  bmp("4-bit-os2", Pattern(11, 9, sixteen), {.headerSize = 12, .bits = 4});
  bmp("4-bit-rle", Pattern(11, 9, sixteen), {.bits = 4, .compression = 2});
  bmp("8-bit", fine, {.bits = 8});
  bmp("8-bit-os2", fine, {.headerSize = 12, .bits = 8});
  bmp("8-bit-top-down", fine, {.bits = 8, .topDown = true});
  bmp("8-bit-rle", fine, {.bits = 8, .compression = 1});
  bmp("8-bit-v5", fine, {.headerSize = 124, .bits = 8});
  bmp("16-bit", corners, {.bits = 16, .masks = k555});
  bmp("16-bit-565", corners, {.bits = 16, .compression = 3, .masks = k565});
  bmp("16-bit-565-v4", corners, {.headerSize = 108, .bits = 16, .compression = 3, .masks = k565});
  bmp("16-bit-top-down", corners, {.bits = 16, .topDown = true, .masks = k555});
  bmp("24-bit", fine, {.masks = kBgrx});
  bmp("24-bit-os2", fine, {.headerSize = 12, .masks = kBgrx});
  bmp("24-bit-top-down", fine, {.topDown = true, .masks = kBgrx});
  bmp("24-bit-colour-table", fine, {.masks = kBgrx, .tableEntries = 256});
  bmp("32-bit", fine, {.bits = 32, .masks = kBgrx});
  bmp("32-bit-fields", fine, {.bits = 32, .compression = 3, .masks = kRgbx});
  bmp("32-bit-fields-v5-top-down", fine,
      {.headerSize = 124, .bits = 32, .compression = 3, .topDown = true, .masks = kRgbx});

  auto tga = [&](const std::string& name, const RgbImage& image, TgaLayout layout) {
    v.push_back({name + ".tga", TgaFile(image, layout), image});
  };
  const RgbImage greys = Pattern(11, 9, Greys(12));
  // The four origins, plain and run-length coded, in each kind of picture.
  const std::pair<const char*, std::pair<bool, bool>> origins[] = {{"bottom-left", {false, false}},
                                                                   {"bottom-right", {true, false}},
                                                                   {"top-left", {false, true}},
                                                                   {"top-right", {true, true}}};
  for (const auto& [origin, sides] : origins) {
    const auto [rightToLeft, topDown] = sides;
    for (bool rle : {false, true}) {
      const std::string end = std::string("-") + origin + (rle ? "-rle" : "");
      tga("mapped" + end, fine,
          {.type = 1, .bits = 8, .runLength = rle, .rightToLeft = rightToLeft, .topDown = topDown});
      tga("true-colour" + end, fine,
          {.runLength = rle, .rightToLeft = rightToLeft, .topDown = topDown});
      tga("grey" + end, greys,
          {.type = 3, .bits = 8, .runLength = rle, .rightToLeft = rightToLeft, .topDown = topDown});
    }
  }
  tga("mapped-16-bit-map", corners, {.type = 1, .bits = 8, .mapBits = 16});
  tga("mapped-32-bit-map-from-7", fine,
      {.type = 1, .bits = 8, .mapBits = 32, .mapFirst = 7, .idLength = 5});
  tga("mapped-16-bit-indexes", fine, {.type = 1, .bits = 16, .runLength = true, .mapFirst = 300});
  tga("true-colour-16-bit", corners, {.bits = 16, .runLength = true});
  tga("true-colour-32-bit", fine, {.bits = 32, .topDown = true});

  auto png = [&](const std::string& name, const RgbImage& image, PngLayout layout) {
    v.push_back({name + ".png", PngFile(image, layout), image});
  };
  for (bool interlaced : {false, true}) {
    const std::string end = interlaced ? "-interlaced" : "";
    png("grey-1-bit" + end, Pattern(11, 9, Greys(2)),
        {.colourType = PNG_COLOR_TYPE_GRAY, .depth = 1, .interlaced = interlaced});
    png("grey-2-bit" + end, Pattern(11, 9, Greys(4)),
        {.colourType = PNG_COLOR_TYPE_GRAY, .depth = 2, .interlaced = interlaced});
    png("grey-4-bit" + end, Pattern(11, 9, Greys(16)),
        {.colourType = PNG_COLOR_TYPE_GRAY, .depth = 4, .interlaced = interlaced});
    png("grey-8-bit" + end, Pattern(11, 9, Greys(256)),
        {.colourType = PNG_COLOR_TYPE_GRAY, .interlaced = interlaced});
    png("grey-16-bit-transparent" + end, Pattern(11, 9, Greys(52)),
        {.colourType = PNG_COLOR_TYPE_GRAY,
         .depth = 16,
         .interlaced = interlaced,
         .transparency = true});
    png("grey-alpha" + end, greys,
        {.colourType = PNG_COLOR_TYPE_GRAY_ALPHA, .interlaced = interlaced, .transparency = true});
    png("palette-1-bit" + end, Pattern(11, 9, two),
        {.colourType = PNG_COLOR_TYPE_PALETTE, .depth = 1, .interlaced = interlaced});
    png("palette-4-bit-transparent" + end, Pattern(11, 9, sixteen),
        {.colourType = PNG_COLOR_TYPE_PALETTE,
         .depth = 4,
         .interlaced = interlaced,
         .transparency = true});
    png("palette-8-bit" + end, fine,
        {.colourType = PNG_COLOR_TYPE_PALETTE, .interlaced = interlaced});
    png("rgb-8-bit" + end, fine, {.interlaced = interlaced});
    png("rgb-8-bit-transparent" + end, fine, {.interlaced = interlaced, .transparency = true});
    png("rgb-16-bit" + end, fine, {.depth = 16, .interlaced = interlaced});
    png("rgba-8-bit" + end, fine,
        {.colourType = PNG_COLOR_TYPE_RGBA, .interlaced = interlaced, .transparency = true});
    png("rgba-16-bit" + end, fine,
        {.colourType = PNG_COLOR_TYPE_RGBA,
         .depth = 16,
         .interlaced = interlaced,
         .transparency = true});
  }

  auto jpeg = [&](const std::string& name, const RgbImage& image, JpegLayout layout) {
    v.push_back({name + ".jpg", JpegFile(image, layout), image, 30});
  };
  const RgbImage blocks = Blocks(3, 2, kCorners), greyBlocks = Blocks(3, 2, Greys(6));
  for (bool progressive : {false, true}) {
    const std::string end = progressive ? "-progressive" : "-baseline";
    jpeg("grey" + end, greyBlocks, {.grey = true, .progressive = progressive});
    jpeg("rgb" + end, blocks, {.progressive = progressive});
    jpeg("cmyk" + end, blocks, {.ink = JpegInk::kCmyk, .progressive = progressive});
    jpeg("cmyk-adobe" + end, blocks, {.ink = JpegInk::kAdobeCmyk, .progressive = progressive});
    jpeg("ycck-adobe" + end, blocks, {.ink = JpegInk::kAdobeYcck, .progressive = progressive});
  }
  return v;
}

}  // namespace calvern
