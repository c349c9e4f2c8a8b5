// A program handed to `calvern send` as MK image files instead of a source. A name ending in
// ".MKP", ".MKB" or ".MKD" (any letter case) names the set of the three files with that base
// name: each of them that exists is read, so "prog.MKP" also brings prog.MKB and prog.MKD.
#pragma once

#include <optional>
#include <string>

#include "link/program_image.h"

namespace calvern {

bool IsMkFileName(const std::string& path);

// The image the MK files hold, or the message id and file name of the one that can't be read
// or is no MK file.
struct MkFileSetReading {
  std::optional<ProgramImage> image;
  int errorMessage = 0;
  std::string errorFile;
};

MkFileSetReading ReadMkFileSet(const std::string& path);

// Adds one file's bytes to the image by its extension ("MKP", "MKB", "MKD"). A program step
// stored as FF with the data attribute is an unused step; the binary and decimal files are
// whole zones, so every one of their cells is sent. False when the bytes are no such file.
[[nodiscard]] bool AddMkFile(const std::string& extension, const std::string& bytes,
                             ProgramImage& image);

}  // namespace calvern
