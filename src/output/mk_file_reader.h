// Reading MK image files back: the program file with each step's code/data attribute, and the
// binary and decimal zone files. `calvern send FILE.MKP` sends what they hold, and the
// disassembler turns it back into a source.
#pragma once

#include <string>
#include <string_view>

#include "compiler/memory_image.h"

namespace calvern {

// The memory a set of MK files holds. A program step with the code attribute is an
// instruction cell, one with the data attribute a data cell, and FF with the data attribute an
// unused step (the file cannot tell it from a data byte FF). The binary and decimal files are
// whole zones: every one of their cells is a data cell, the unused ones holding 0.
struct MkImage {
  MemoryImage image;
  bool programFile = false;  // a program file was read: it covers blocks [firstBlock, endBlock)
  int firstBlock = 0;
  int endBlock = 0;
  bool binaryZoneUsed = false;   // a binary file was read
  bool decimalZoneUsed = false;  // a decimal file was read

  // Whether anything at all is in it: a used step, or a zone file.
  bool Empty() const;
};

// "MKP", "MKB" or "MKD" in any letter case: the zone file of that extension.
bool IsMkExtension(std::string_view extension);

// Adds one file's bytes to the image by its extension ("MKP", "MKB", "MKD", upper-case).
// False when the bytes are no such file (nothing is added then).
[[nodiscard]] bool AddMkFile(std::string_view extension, const std::string& bytes, MkImage& out);

}  // namespace calvern
