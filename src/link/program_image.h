// The compiled program as the link sends it: one byte per memory cell, in the cell numbering of
// the compiler's memory image. The link reads only this, never the compiler's own tables.
#pragma once

#include <vector>

#include "tables/memory_map.h"

namespace calvern {

struct ProgramImage {
  static constexpr int kCellCount = kMemoryCells;
  static constexpr int kUnused = -1;

  // One cell per byte of the memory map's zones: a byte 0-255, or kUnused.
  std::vector<int> cells = std::vector<int>(kCellCount, kUnused);
  bool binaryZoneUsed = false;
  bool decimalZoneUsed = false;
};

}  // namespace calvern
