// The table of awaiting cells against a plain map, over random marks and clears: cells packed
// together, so that entries collide, move up when one before them goes, and the table grows.
#include "compiler/awaiting_cells.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace calvern {
namespace {

TEST(AwaitingCells, AgreesWithAMapOverRandomMarksAndClears) {
  std::mt19937 random(161);
  for (const int span : {40, 700, 22096}) {
    AwaitingCells table;
    std::map<int, int> expected;
    for (int step = 0; step < 20000; ++step) {
      const int cell = static_cast<int>(random() % span);
      if (random() % 3 != 0) {
        table.Mark(cell, step + 1);
        expected[cell] = step + 1;
      } else {
        table.Clear(cell);
        expected.erase(cell);
      }
      if (step % 97 == 0) {
        for (int k = 0; k < span; k += span / 40 + 1) {
          const auto found = expected.find(k);
          ASSERT_EQ(table.SerialAt(k), found == expected.end() ? 0 : found->second)
              << "span " << span << ", step " << step << ", cell " << k;
        }
      }
    }
    for (const auto& [cell, serial] : expected) ASSERT_EQ(table.SerialAt(cell), serial) << cell;
    for (const auto& [cell, serial] : std::map<int, int>(expected)) table.Clear(cell);
    for (int k = 0; k < span; ++k) ASSERT_EQ(table.SerialAt(k), 0) << k;
  }
}

}  // namespace
}  // namespace calvern
