// The cells that forward references wait for, each with the serial of its reference. At most
// 512 references are pending at a time, so this is a small table of the marked cells rather
// than a record for every cell of the memory: a full program has thousands of cells, and every
// page of per-cell records is a page the process must be given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace calvern {

class AwaitingCells {
 public:
  // The serial `cell` waits for, 0 for none.
  int SerialAt(int cell) const {
    if (cell > highest_) return 0;
    for (std::size_t i = Home(cell);; i = Next(i)) {
      if (slots_[i].serial == 0) return 0;
      if (slots_[i].cell == cell) return slots_[i].serial;
    }
  }
  // `cell` waits for `serial` (> 0) from now on.
  void Mark(int cell, int serial) {
    if (2 * (count_ + 1) > slots_.size()) Grow();
    if (cell > highest_) highest_ = cell;
    std::size_t i = Home(cell);
    for (; slots_[i].serial != 0; i = Next(i)) {
      if (slots_[i].cell == cell) break;
    }
    if (slots_[i].serial == 0) ++count_;
    slots_[i] = {cell, serial};
  }
  // `cell` waits for nothing any more. Cheap for cells above every marked one, which is where
  // the step counter writes as a program goes on.
  void Clear(int cell) {
    if (cell <= highest_) Erase(cell);
  }

 private:
  struct Slot {
    int cell = 0;
    int serial = 0;  // 0: free
  };
  std::size_t Home(int cell) const {
    return (static_cast<std::uint32_t>(cell) * 0x9E3779B1u) & (slots_.size() - 1);
  }
  std::size_t Next(std::size_t i) const { return (i + 1) & (slots_.size() - 1); }
  void Erase(int cell);
  void Grow();

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
  int highest_ = -1;  // no marked cell lies above this one; -1 while none is marked
};

}  // namespace calvern
