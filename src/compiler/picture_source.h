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
  kUnreadable,  // missing, unreadable, of an unknown format, damaged or cut short
  kTooLarge,    // larger than the loader reads: `size` says how large
};

struct PictureLoad {
  PictureFailure failure = PictureFailure::kNone;
  GreyPicture picture;  // when failure is kNone
  std::string size;     // kTooLarge: "W x H" in pixels, or the file's length "N bytes"
};

class PictureSource {
 public:
  virtual ~PictureSource() = default;
  // Reads the picture file at `path` (BMP, PNG, JPEG or TGA).
  virtual PictureLoad Load(const std::string& path) const = 0;
};

}  // namespace calvern
