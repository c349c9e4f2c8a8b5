// JPEG through libjpeg-turbo. Its errors leave by longjmp, so the decoding runs in C-style code
// as for PNG. libjpeg only warns about a file that ends inside the picture (and fills the rest
// with grey): those warnings count as damage here.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "pictures/decoders.h"

namespace calvern {
namespace {

struct JpegReader {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  std::jmp_buf escape;
  bool tooLarge;
  unsigned char* rgb;  // malloc'd: width x height x 3
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(static_cast<JpegReader*>(info->client_data)->escape, 1);
}

// Warnings have level -1. Those that mean missing or corrupt picture data end the decoding.
void OnMessage(j_common_ptr info, int level) {
  if (level >= 0) return;
  switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_NOT_SEQUENTIAL:
      OnError(info);
    default:
      break;
  }
}

bool DecodeJpeg(const unsigned char* data, unsigned long size, JpegReader* r) {
  r->info.err = jpeg_std_error(&r->errors);
  r->errors.error_exit = OnError;
  r->errors.emit_message = OnMessage;
  r->info.client_data = r;
  if (setjmp(r->escape)) {
    jpeg_destroy_decompress(&r->info);
    return false;
  }
  jpeg_create_decompress(&r->info);
  jpeg_mem_src(&r->info, data, size);
  if (jpeg_read_header(&r->info, TRUE) != JPEG_HEADER_OK)
    OnError(reinterpret_cast<j_common_ptr>(&r->info));
  if (!WithinReadingLimit(r->info.image_width, r->info.image_height)) {
    r->tooLarge = true;
    jpeg_destroy_decompress(&r->info);
    return false;
  }
  r->info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&r->info);
  const std::size_t rowBytes = 3u * r->info.output_width;
  if (r->info.output_components != 3) OnError(reinterpret_cast<j_common_ptr>(&r->info));
  r->rgb = static_cast<unsigned char*>(std::malloc(rowBytes * r->info.output_height));
  if (r->rgb == nullptr) OnError(reinterpret_cast<j_common_ptr>(&r->info));
  while (r->info.output_scanline < r->info.output_height) {
    JSAMPROW row = r->rgb + rowBytes * r->info.output_scanline;
    jpeg_read_scanlines(&r->info, &row, 1);
  }
  jpeg_destroy_decompress(&r->info);
  return true;
}

}  // namespace

PictureLoad ReadJpeg(std::string_view bytes) {
  JpegReader* reader = static_cast<JpegReader*>(std::calloc(1, sizeof(JpegReader)));
  if (reader == nullptr) return Unreadable();
  const bool decoded = DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.data()),
                                  static_cast<unsigned long>(bytes.size()), reader);
  PictureLoad load = decoded ? FromRgb(static_cast<int>(reader->info.output_width),
                                       static_cast<int>(reader->info.output_height), reader->rgb)
                     : reader->tooLarge
                         ? TooLargePicture(reader->info.image_width, reader->info.image_height)
                         : Unreadable();
  std::free(reader->rgb);
  std::free(reader);
  return load;
}

}  // namespace calvern
