// #LOADIMAGE opt "file": a picture file converted into a graph block. Option bit 0 makes a
// negative, bit 1 dithers.
#include "compiler/compilation.h"
#include "compiler/directive_compiler.h"
#include "compiler/graphics_directives.h"
#include "compiler/picture_conversion.h"

namespace calvern {
namespace {

std::string FilePartOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string SizeText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

Status CompileLoadImage(Compilation& c, const KeywordEntry& directive) {
  DirectiveParameters params;
  if (Failed(ReadDirectiveParameters(c, directive, params))) return Status::kFailed;
  std::optional<long long> option = c.ValueOf(params.slot[1], directive.keyword);
  if (!option) return Status::kFailed;
  const std::string& name = params.slot[2];
  // A text held in the binary zone names no file at compile time.
  if (params.textRegister[2] >= 0) return c.Fail(kInvalidStringIn, directive.keyword);
  const PictureSource* pictures = c.Options.pictures;
  if (pictures == nullptr) return c.Fail(kNoPictureLoader, name);

  PictureLoad load = pictures->Load(name);
  if (load.failure == PictureFailure::kUnreadable) {
    // Pictures usually sit beside the source, whatever directory the name was written with.
    const std::string besideSource = c.Options.sourceDirectory + FilePartOf(name);
    if (besideSource != name) load = pictures->Load(besideSource);
  }
  if (load.failure == PictureFailure::kTooLarge) {
    return c.Fail(kPictureFileTooLarge, name + " (" + load.size + ")");
  }
  if (load.failure != PictureFailure::kNone) return c.Fail(kCantLoadImage);
  const GreyPicture& picture = load.picture;
  if (picture.width > DotGrid::kMaxSide || picture.height > DotGrid::kMaxSide) {
    return c.Fail(kPictureTooLarge, name + " (" + SizeText(picture.width, picture.height) + ")");
  }
  EmitGraph(c, InkDots(picture, {.negative = (*option & 1) != 0, .dither = (*option & 2) != 0}));
  return c.Stopped() ? Status::kFailed : Status::kDone;
}

}  // namespace calvern
