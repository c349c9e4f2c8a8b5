#include "compiler/graph_encoder.h"

#include <algorithm>

#include "compiler/compilation.h"

namespace calvern {
namespace {

constexpr int kScreenRows = 64;

}  // namespace

std::vector<std::uint8_t> ColumnBytes(const DotGrid& grid) {
  const int bands = std::max(1, (grid.Height() + 7) / 8);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(grid.Width()) * bands);
  for (int x = 1; x <= grid.Width(); ++x) {
    for (int band = 0; band < bands; ++band) {
      int byte = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int y = 8 * band + bit;
        if (y < grid.Height() && y < kScreenRows && grid.Ink(x, y)) byte |= 1 << bit;
      }
      bytes.push_back(static_cast<std::uint8_t>(byte));
    }
  }
  return bytes;
}

void EmitGraph(Compilation& c, const DotGrid& grid) {
  DataPlacement placement(c.Out);
  c.Out.EmitData(grid.Width(), "Width");
  if (grid.Height() > 0) c.Out.EmitData(grid.Height(), "Height");
  for (std::uint8_t byte : ColumnBytes(grid)) {
    if (c.Stopped()) return;  // the zone ran full
    c.Out.EmitData(byte, "byte");
  }
}

Status ReadGraphRows(Compilation& c, std::string_view directive, DotGrid& grid) {
  std::vector<std::string> rows;
  std::size_t width = 0;
  for (;;) {
    std::optional<std::string> row = c.NextOperand(kUnexpectedEndOfFileIn, directive);
    if (!row) return Status::kFailed;
    if (*row == "#END") break;
    const std::string place = std::string(directive) + ", row " + std::to_string(rows.size() + 1);
    if (rows.size() == DotGrid::kMaxSide) return c.Fail(kGraphTooLarge, place);
    if (row->size() > DotGrid::kMaxSide) {
      return c.Fail(kGraphTooLarge, place + " (" + std::to_string(row->size()) + " dots)");
    }
    width = std::max(width, row->size());
    rows.push_back(std::move(*row));
  }
  grid = DotGrid(static_cast<int>(width), static_cast<int>(rows.size()));
  for (std::size_t y = 0; y < rows.size(); ++y) {
    for (std::size_t j = 0; j < rows[y].size(); ++j) {
      grid.SetInk(static_cast<int>(j) + 1, static_cast<int>(y), rows[y][j] == '*');
    }
  }
  return Status::kDone;
}

}  // namespace calvern
