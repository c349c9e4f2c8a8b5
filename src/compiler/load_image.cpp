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

// Why a picture file could not be loaded, as it follows "Can't load image!" and the name.
MessageId ReasonFor(PictureFailure failure) {
  switch (failure) {
    case PictureFailure::kMissing:
      return kNoSuchPictureFile;
    case PictureFailure::kUnreadable:
      return kPictureFileUnreadable;
    case PictureFailure::kCutShort:
      return kPictureCutShort;
    case PictureFailure::kDamaged:
      return kPictureDamaged;
    case PictureFailure::kUnsupported:
      return kPictureKindNotRead;
    case PictureFailure::kTooManyScans:
      return kTooManyJpegScans;
    default:
      return kNotAPictureFile;
  }
}

}  // namespace

Status CompileLoadImage(Compilation& c, const KeywordEntry& directive) {
  DirectiveParameters params;
  if (Failed(ReadDirectiveParameters(c, directive, params))) return Status::kFailed;
  std::optional<long long> option = c.ValueOf(params.slot[1], directive.Keyword());
  if (!option) return Status::kFailed;
  const std::string& name = params.slot[2];
  // A text held in the binary zone names no file at compile time.
  if (params.textRegister[2] >= 0) return c.Fail(kInvalidStringIn, directive.Keyword());
  const PictureSource* pictures = c.Options.pictures;
  if (pictures == nullptr) return c.Fail(kNoPictureLoader, name);

  PictureLoad load = pictures->Load(name);
  if (load.failure != PictureFailure::kNone) {
    // Pictures usually sit beside the source, whatever directory the name was written with.
    // A file found there answers; when neither place has one, the name as written is missing.
    const std::string besideSource = c.Options.sourceDirectory + FilePartOf(name);
    if (besideSource != name) {
      PictureLoad beside = pictures->Load(besideSource);
      if (beside.failure == PictureFailure::kNone || load.failure == PictureFailure::kMissing) {
        load = std::move(beside);
      }
    }
  }
  switch (load.failure) {
    case PictureFailure::kNone:
      break;
    case PictureFailure::kTooLarge:
      return c.Fail(kPictureTooLarge, name + " (" + load.detail + ")");
    case PictureFailure::kFileTooLarge:
      return c.Fail(kPictureFileTooLarge, name + " (" + load.detail + ")");
    case PictureFailure::kNoPixels:
      return c.Fail(kPictureHasNoPixels, name);
    default:
      return c.Fail({.message = kCantLoadImage,
                     .detail = " " + name + ": ",
                     .reason = ReasonFor(load.failure),
                     .reasonDetail = load.detail});
  }
  const GreyPicture& picture = load.picture;
  EmitGraph(c, InkDots(picture, {.negative = (*option & 1) != 0, .dither = (*option & 2) != 0}));
  return c.Stopped() ? Status::kFailed : Status::kDone;
}

}  // namespace calvern
