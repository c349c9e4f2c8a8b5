// JPEG through libjpeg-turbo (loaded at the first picture): grey, RGB (YCbCr) and CMYK (or YCCK)
// pictures, baseline or progressive. Its errors leave by longjmp, so the decoding runs in C-style
// code as for PNG. libjpeg only warns about a file that ends inside the picture (and fills the rest
// with grey): those warnings count as damage here. ScreenJpeg has bounded the size and the scans
// already.
#include <cstdlib>
#include <string>

#include "platform/posix/picture_libraries.h"
// clang-format off
#include <jerror.h>
// clang-format on

#include "pictures/decoders.h"

namespace calvern {
namespace {

struct JpegReader {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  std::jmp_buf escape;
  int messageCode;        // of the error or warning that ended the decoding
  int messageParameter;   // its first number (the precision of JERR_BAD_PRECISION)
  unsigned char* pixels;  // malloc'd: width x height x components
};

[[noreturn]] void OnError(j_common_ptr info) {
  auto* reader = static_cast<JpegReader*>(info->client_data);
  reader->messageCode = info->err->msg_code;
  reader->messageParameter = info->err->msg_parm.i[0];
  std::longjmp(reader->escape, 1);
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

bool DecodeJpeg(const platform::Libjpeg& lib, const unsigned char* data, unsigned long size,
                JpegReader* r) {
  r->info.err = lib.std_error(&r->errors);
  r->errors.error_exit = OnError;
  r->errors.emit_message = OnMessage;
  r->info.client_data = r;
  if (setjmp(r->escape)) {
    lib.destroy_decompress(&r->info);
    return false;
  }
  lib.CreateDecompressor(&r->info);
  lib.mem_src(&r->info, data, size);
  lib.read_header(&r->info, TRUE);
  // Four components are ink: libjpeg gives them as CMYK (turning YCCK into CMYK); the rest as
  // RGB, grey pictures included.
  const bool ink = r->info.jpeg_color_space == JCS_CMYK || r->info.jpeg_color_space == JCS_YCCK;
  r->info.out_color_space = ink ? JCS_CMYK : JCS_RGB;
  lib.start_decompress(&r->info);
  const int components = ink ? 4 : 3;
  if (r->info.output_components != components) ERREXIT(&r->info, JERR_CONVERSION_NOTIMPL);
  const std::size_t rowBytes = static_cast<std::size_t>(components) * r->info.output_width;
  r->pixels = static_cast<unsigned char*>(std::malloc(rowBytes * r->info.output_height));
  if (r->pixels == nullptr) ERREXIT1(&r->info, JERR_OUT_OF_MEMORY, 0);
  while (r->info.output_scanline < r->info.output_height) {
    JSAMPROW row = r->pixels + rowBytes * r->info.output_scanline;
    lib.read_scanlines(&r->info, &row, 1);
  }
  lib.destroy_decompress(&r->info);
  return true;
}

PictureLoad FailureOf(const JpegReader& r) {
  switch (r.messageCode) {
    case JWRN_JPEG_EOF:
    case JERR_INPUT_EOF:
    case JERR_INPUT_EMPTY:
      return Refused(PictureFailure::kCutShort);
    case JERR_BAD_PRECISION:
      return Refused(PictureFailure::kUnsupported,
                     "JPEG of " + std::to_string(r.messageParameter) + "-bit samples");
    case JERR_SOF_UNSUPPORTED:
      return Refused(PictureFailure::kUnsupported, "lossless or hierarchical JPEG");
    case JERR_EMPTY_IMAGE:
      return Refused(PictureFailure::kNoPixels);
    default:
      return Refused(PictureFailure::kDamaged);
  }
}

}  // namespace

PictureLoad ReadJpeg(std::string_view bytes) {
  const platform::Libjpeg* lib = platform::LoadLibjpeg();
  if (lib == nullptr) {
    return Refused(PictureFailure::kUnsupported,
                   std::string("JPEG (") + platform::LibjpegFileName() + " could not be loaded)");
  }
  auto* reader = static_cast<JpegReader*>(std::calloc(1, sizeof(JpegReader)));
  if (reader == nullptr) return Refused(PictureFailure::kDamaged);
  const bool decoded = DecodeJpeg(*lib, reinterpret_cast<const unsigned char*>(bytes.data()),
                                  static_cast<unsigned long>(bytes.size()), reader);
  PictureLoad load;
  if (!decoded) {
    load = FailureOf(*reader);
  } else {
    const int width = static_cast<int>(reader->info.output_width);
    const int height = static_cast<int>(reader->info.output_height);
    if (reader->info.output_components == 4) {
      // Adobe's programs, which write the Adobe marker, store CMYK inverted: 255 is no ink.
      InkToRgb(reader->pixels, static_cast<std::size_t>(width) * height,
               reader->info.saw_Adobe_marker);
    }
    load = FromRgb(width, height, reader->pixels);
  }
  std::free(reader->pixels);
  std::free(reader);
  return load;
}

}  // namespace calvern
