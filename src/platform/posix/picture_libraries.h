// libpng and libjpeg-turbo, loaded the first time a picture is read or a screen is saved. Most
// runs compile a program without pictures: linking the libraries into the program made every
// start map them, zlib with them, and bind their symbols, a quarter of the instructions of
// `calvern --version`.
// The functions are typed by the headers the program is built against, and the file names
// loaded follow from those headers' ABI numbers, so the library loaded is one they describe.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace calvern::platform {

// clang-format off
// The libpng functions Calvern calls, each named as in libpng without its "png_" prefix.
#define CALVERN_PNG_FUNCTIONS(F)                                                              \
  F(create_read_struct) F(create_write_struct) F(create_info_struct) F(destroy_read_struct)   \
  F(destroy_write_struct) F(error) F(longjmp) F(set_longjmp_fn) F(get_io_ptr)                 \
  F(get_image_width) F(get_image_height) F(get_rowbytes) F(set_read_fn) F(set_write_fn)       \
  F(set_user_limits) F(set_keep_unknown_chunks) F(set_expand) F(set_strip_16)                 \
  F(set_strip_alpha) F(set_gray_to_rgb) F(set_interlace_handling) F(read_info)                \
  F(read_update_info) F(read_image) F(set_IHDR) F(write_info) F(write_image) F(write_end)

// The libjpeg functions, named as in libjpeg without its "jpeg_" prefix.
#define CALVERN_JPEG_FUNCTIONS(F)                                                             \
  F(std_error) F(CreateDecompress) F(destroy_decompress) F(mem_src) F(read_header)            \
  F(start_decompress) F(read_scanlines)
// clang-format on

#define CALVERN_PNG_FUNCTION(name) decltype(&::png_##name) name;
struct Libpng {
  CALVERN_PNG_FUNCTIONS(CALVERN_PNG_FUNCTION)
  // The jump buffer libpng's errors return to, as the png_jmpbuf macro gives it.
  std::jmp_buf& JumpBuffer(png_structp png) const {
    return *set_longjmp_fn(png, std::longjmp, sizeof(std::jmp_buf));
  }
};
#undef CALVERN_PNG_FUNCTION

#define CALVERN_JPEG_FUNCTION(name) decltype(&::jpeg_##name) name;
struct Libjpeg {
  CALVERN_JPEG_FUNCTIONS(CALVERN_JPEG_FUNCTION)
  // What the jpeg_create_decompress macro does.
  void CreateDecompressor(j_decompress_ptr info) const {
    CreateDecompress(info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
  }
};
#undef CALVERN_JPEG_FUNCTION

// The library, loaded at the first call; nullptr when it cannot be loaded or lacks one of the
// functions (the same answer at every later call).
const Libpng* LoadLibpng();
const Libjpeg* LoadLibjpeg();
// The file names loaded, as messages name them: "libpng16.so.16", "libjpeg.so.62".
const char* LibpngFileName();
const char* LibjpegFileName();

}  // namespace calvern::platform
