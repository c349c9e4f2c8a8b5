// The compiled program as the link sends it: one byte per memory cell, in the cell numbering of
// the compiler's memory image. The link reads only this, never the compiler's own tables.
#pragma once

#include <vector>

namespace calvern {

struct ProgramImage {
  static constexpr int kCellCount = 22096;
  static constexpr int kUnused = -1;

  // Cells 0-9999: program steps 0000-9999; 10000-14095: binary addresses 1000-5095;
  // 14096-22095: the decimal zone (8 bytes per register). A byte 0-255, or kUnused.
  std::vector<int> cells = std::vector<int>(kCellCount, kUnused);
  bool binaryZoneUsed = false;
  bool decimalZoneUsed = false;
};

}  // namespace calvern
