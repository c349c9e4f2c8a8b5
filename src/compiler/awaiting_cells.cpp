#include "compiler/awaiting_cells.h"

#include <utility>

#include "tables/text_index.h"

namespace calvern {

void AwaitingCells::Erase(int cell) {
  std::size_t hole = Home(cell);
  for (; slots_[hole].cell != cell; hole = Next(hole)) {
    if (slots_[hole].serial == 0) return;
  }
  if (slots_[hole].serial == 0) return;
  // Moves up the entries after the hole that their home no longer lets stay where they are.
  for (std::size_t j = Next(hole); slots_[j].serial != 0; j = Next(j)) {
    if (StaysBehindHole(hole, j, Home(slots_[j].cell))) continue;
    slots_[hole] = slots_[j];
    hole = j;
  }
  slots_[hole] = {};
  if (--count_ == 0) highest_ = -1;
}

void AwaitingCells::Grow() {
  std::vector<Slot> old = std::exchange(slots_, {});
  slots_.assign(old.empty() ? 256 : 2 * old.size(), Slot{});
  count_ = 0;
  for (const Slot& slot : old) {
    if (slot.serial != 0) Mark(slot.cell, slot.serial);
  }
}

}  // namespace calvern
