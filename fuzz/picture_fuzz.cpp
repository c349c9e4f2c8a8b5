// Reads any bytes as a picture file through the loader #LOADIMAGE uses, then converts what it
// decoded in the four ways #LOADIMAGE can: every input is a picture or a clean refusal.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "compiler/picture_conversion.h"
#include "pictures/picture_files.h"

namespace {

const std::string& PicturePath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("picture_fuzz-" + std::to_string(getpid())))
          .string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(PicturePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const calvern::PictureFiles loader;
  const calvern::PictureSource& source = loader;
  calvern::PictureLoad load = source.Load(PicturePath());
  if (load.failure != calvern::PictureFailure::kNone) return 0;
  const calvern::GreyPicture& picture = load.picture;
  // Only pictures that fit a graph are decoded at all.
  if (picture.width < 1 || picture.height < 1 || picture.width > calvern::DotGrid::kMaxSide ||
      picture.height > calvern::DotGrid::kMaxSide ||
      picture.grey.size() != static_cast<std::size_t>(picture.width) * picture.height) {
    __builtin_trap();
  }
  for (std::uint16_t g : picture.grey) {
    if (g > 2550) __builtin_trap();
  }
  for (int option = 0; option < 4; ++option) {
    calvern::DotGrid dots =
        calvern::InkDots(picture, {.negative = (option & 1) != 0, .dither = (option & 2) != 0});
    if (calvern::ColumnBytes(dots).size() <
        static_cast<std::size_t>(picture.width) * ((picture.height + 7) / 8)) {
      __builtin_trap();
    }
  }
  return 0;
}
