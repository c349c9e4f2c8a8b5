// Compiles any bytes as a source: every input ends in a program or a reported error. The bytes
// after a line ";PICTURE FILE FOLLOWS" are not source but a picture file: every #LOADIMAGE of
// the source reads them, through the decoders the program uses, so that pictures, the icons
// made of them and the menus that show them are reached as well as the source text itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/compile.h"
#include "pictures/picture_files.h"

namespace {

constexpr std::string_view kPictureSeparator = "\n;PICTURE FILE FOLLOWS\n";

// Hands every #LOADIMAGE the same bytes held in memory, decoded as a picture file is; without
// such bytes no picture can be read.
class InMemoryPictures : public calvern::PictureSource {
 public:
  explicit InMemoryPictures(std::string_view bytes, bool present)
      : bytes_(bytes), present_(present) {}

  calvern::PictureLoad Load(const std::string&) const override {
    if (!present_) return {.failure = calvern::PictureFailure::kUnreadable};
    return calvern::DecodePicture(bytes_);
  }

 private:
  std::string_view bytes_;
  bool present_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = input.find(kPictureSeparator);
  const bool withPicture = separator != std::string_view::npos;
  const InMemoryPictures pictures(
      withPicture ? input.substr(separator + kPictureSeparator.size()) : std::string_view(),
      withPicture);
  calvern::CompileOptions options;
  options.pictures = &pictures;
  calvern::CompileResult result =
      calvern::CompileProgram(std::string(input.substr(0, separator)), options);
  // A failed compilation says where; a program ends inside the calculator's 10 000 steps.
  if (!result.Ok() && result.error->line < 0) __builtin_trap();
  if (result.Ok() && (result.program.firstFreeStep < 0 || result.program.firstFreeStep > 10000)) {
    __builtin_trap();
  }
  return 0;
}
