// How the compiler receives the pictures of #LOADIMAGE: a loader outside the compiler reads and
// decodes the file and hands over grey levels only, so the compiler opens no file and knows no
// picture format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace calvern {

// Grey level of a pixel: 3 red + 6 green + blue, from 0 (black) to 2550 (white).
inline int GreyLevel(int red, int green, int blue) { return 3 * red + 6 * green + blue; }

struct GreyPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint16_t> grey;  // row by row from the top, each row from the left
};

enum class PictureFailure {
  kNone,
  kMissing,       // no file of that name
  kUnreadable,    // the file exists but can't be read (a folder, no permission)
  kNotAPicture,   // not a BMP, PNG, JPEG or TGA file
  kCutShort,      // the file ends inside the picture
  kDamaged,       // data that breaks its format's rules
  kUnsupported,   // a valid kind of picture that is not read: `detail` names it
  kTooManyScans,  // a JPEG of more scans than are decoded
  kNoPixels,      // a width or height of 0
  kTooLarge,      // wider or higher than a graph: `detail` is "W x H" in pixels
  kFileTooLarge,  // longer than the loader reads: `detail` is "N bytes"
};

struct PictureLoad {
  PictureFailure failure = PictureFailure::kNone;
  GreyPicture picture;  // when failure is kNone
  std::string detail;   // what kUnsupported, kTooLarge and kFileTooLarge report
};

class PictureSource {
 public:
  virtual ~PictureSource() = default;
  // Reads the picture file at `path` (BMP, PNG, JPEG or TGA).
  virtual PictureLoad Load(const std::string& path) const = 0;
};

}  // namespace calvern
