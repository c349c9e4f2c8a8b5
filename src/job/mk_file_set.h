// A program given as MK image files instead of a source (to `calvern send` and to the
// disassembler). A name ending in ".MKP", ".MKB" or ".MKD" (any letter case) names the set of
// the three files with that base name: each of them that exists is read, so "prog.MKP" also
// brings prog.MKB and prog.MKD.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "output/mk_file_reader.h"

namespace calvern {

bool IsMkFileName(const std::string& path);

// The memory the MK files hold and the files read, or the message id and name of the file
// that can't be read or is no MK file. A set of which no file exists names the file given.
struct MkFileSetReading {
  std::optional<MkImage> image;
  std::vector<std::string> files;  // the files read, program file first
  int errorMessage = 0;
  std::string errorFile;
};

MkFileSetReading ReadMkFileSet(const std::string& path);

}  // namespace calvern
