// The data placement bracket: while the binary zone is current, data directives write through
// CurrentStep into the binary cells (address + 9000), and the program's own step counter is
// kept aside until the item is written. In the program zone the bracket does nothing.
#pragma once

#include "compiler/compilation.h"

namespace calvern {

class DataPlacement {
 public:
  explicit DataPlacement(Compilation& c) : c_(c), active_(c.InBinaryZone) {
    if (!active_) return;
    savedStep_ = c_.CurrentStep;
    c_.CurrentStep = c_.BinaryPointer + MemoryImage::kBinaryOffset;
    c_.ZoneStart = MemoryImage::kBinaryStart;
    c_.StepLimit = MemoryImage::kDecimalStart;
  }
  ~DataPlacement() {
    if (!active_) return;
    c_.BinaryPointer = c_.CurrentStep - MemoryImage::kBinaryOffset;
    c_.CurrentStep = savedStep_;
    c_.ZoneStart = 0;
    c_.StepLimit = MemoryImage::kProgramCells;
  }
  DataPlacement(const DataPlacement&) = delete;
  DataPlacement& operator=(const DataPlacement&) = delete;

 private:
  Compilation& c_;
  bool active_;
  int savedStep_ = 0;
};

}  // namespace calvern
