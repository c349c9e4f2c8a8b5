// PNG through libpng (loaded at the first picture): grey, palette and true-colour pictures of
// every depth, interlaced or not, transparent or not (transparency is no colour: the stored
// colours are read). libpng reports errors by longjmp, so the decoding runs in C-style code:
// no object with a destructor lives in a frame that the longjmp leaves, and what it allocates
// is held in a plain struct that the caller frees.
#include <cstdlib>
#include <cstring>
#include <string>

#include "pictures/decoders.h"
#include "platform/posix/picture_libraries.h"

namespace calvern {
namespace {

using platform::Libpng;

struct PngInput {
  const Libpng* png;
  const unsigned char* data;
  std::size_t size;
  std::size_t position;
  bool cutShort;
};

struct PngResult {
  png_uint_32 width;
  png_uint_32 height;
  unsigned char* rgb;  // malloc'd: width x height x 3
  png_bytep* rows;     // malloc'd row pointers into rgb
};

void ReadInput(png_structp png, png_bytep out, std::size_t count) {
  PngInput* in = static_cast<PngInput*>(platform::LoadLibpng()->get_io_ptr(png));
  if (count > in->size - in->position) {
    in->cutShort = true;
    in->png->error(png, "file cut short");
  }
  std::memcpy(out, in->data + in->position, count);
  in->position += count;
}

[[noreturn]] void OnError(png_structp png, png_const_charp) {
  platform::LoadLibpng()->longjmp(png, 1);
  std::abort();  // not reached: libpng's longjmp does not return
}
void OnWarning(png_structp, png_const_charp) {}

bool DecodePng(PngInput* in, PngResult* out) {
  const Libpng& lib = *in->png;
  png_structp png = lib.create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (png == nullptr) return false;
  png_infop info = lib.create_info_struct(png);
  if (info == nullptr || setjmp(lib.JumpBuffer(png))) {
    lib.destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  lib.set_read_fn(png, in, ReadInput);
  // The size is judged here, not by libpng's own limit, so that it can be reported.
  lib.set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
  // Only the chunks that make the pixels are read: text, colour profiles and the like are
  // skipped unread, so that none of them can cost decompression work.
  lib.set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  lib.read_info(png, info);
  out->width = lib.get_image_width(png, info);
  out->height = lib.get_image_height(png, info);
  if (JudgeSize(out->width, out->height).failure != PictureFailure::kNone) {
    lib.error(png, "size not screened");
  }
  // Every kind of PNG as 8-bit red, green and blue; transparency is not a colour.
  lib.set_expand(png);
  lib.set_strip_16(png);
  lib.set_strip_alpha(png);
  lib.set_gray_to_rgb(png);
  lib.set_interlace_handling(png);
  lib.read_update_info(png, info);
  const std::size_t rowBytes = 3u * out->width;
  if (lib.get_rowbytes(png, info) != rowBytes) lib.error(png, "unexpected pixel layout");
  out->rgb = static_cast<unsigned char*>(std::malloc(rowBytes * out->height));
  out->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * out->height));
  if (out->rgb == nullptr || out->rows == nullptr) lib.error(png, "out of memory");
  for (png_uint_32 y = 0; y < out->height; ++y) out->rows[y] = out->rgb + rowBytes * y;
  lib.read_image(png, out->rows);
  lib.destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

PictureLoad ReadPng(std::string_view bytes) {
  const Libpng* png = platform::LoadLibpng();
  if (png == nullptr) {
    return Refused(PictureFailure::kUnsupported,
                   std::string("PNG (") + platform::LibpngFileName() + " could not be loaded)");
  }
  PngInput in{png, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0, false};
  PngResult out{};
  const bool decoded = DecodePng(&in, &out);
  PictureLoad load =
      decoded       ? FromRgb(static_cast<int>(out.width), static_cast<int>(out.height), out.rgb)
      : in.cutShort ? Refused(PictureFailure::kCutShort)
                    : Refused(PictureFailure::kDamaged);
  std::free(out.rows);
  std::free(out.rgb);
  return load;
}

}  // namespace calvern
