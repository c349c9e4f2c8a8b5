#include "platform/png_encoder.h"

#include <vector>

#include "platform/posix/picture_libraries.h"

namespace calvern::platform {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(LoadLibpng()->get_io_ptr(png))
      ->append(reinterpret_cast<char*>(data), length);
}

void FlushNothing(png_structp) {}

// Runs libpng; it reports errors by a long jump back here, so this frame holds no objects
// with destructors.
bool WriteRows(const Libpng& lib, png_structp png, png_infop info, const Picture& picture,
               png_bytepp rows, std::string* out) {
  if (setjmp(lib.JumpBuffer(png))) return false;
  lib.set_write_fn(png, out, AppendBytes, FlushNothing);
  lib.set_IHDR(png, info, picture.Width(), picture.Height(), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  lib.write_info(png, info);
  lib.write_image(png, rows);
  lib.write_end(png, nullptr);
  return true;
}

}  // namespace

std::optional<std::string> EncodePng(const Picture& picture) {
  const Libpng* lib = LoadLibpng();
  if (lib == nullptr) return std::nullopt;
  png_structp png = lib->create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return std::nullopt;
  png_infop info = lib->create_info_struct(png);
  std::vector<png_bytep> rows(picture.Height());
  for (int y = 0; y < picture.Height(); ++y) {
    // libpng only reads the rows it writes.
    rows[y] = const_cast<png_bytep>(picture.Rgb().data() + 3u * y * picture.Width());
  }
  std::string bytes;
  bool written = info != nullptr && WriteRows(*lib, png, info, picture, rows.data(), &bytes);
  lib->destroy_write_struct(&png, &info);
  if (!written) return std::nullopt;
  return bytes;
}

}  // namespace calvern::platform
