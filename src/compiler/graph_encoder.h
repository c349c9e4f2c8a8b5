// The block format that \PutGP and \PutGB draw, shared by #DEFGRAPH, #LOADIMAGE and the
// characters of a user font: a width byte, a height byte, then the columns from left to right,
// each as bands of 8 rows from the top with the band's top row in bit 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/diagnostic.h"

namespace calvern {

class Compilation;

// Ink dots of a graph: column x from 1, row y from 0. Dots never set are paper.
class DotGrid {
 public:
  // The size bytes hold 0-255.
  static constexpr int kMaxSide = 255;

  DotGrid(int width, int height)
      : width_(width), height_(height), ink_(static_cast<std::size_t>(width) * height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Ink(int x, int y) const { return ink_[Index(x, y)] != 0; }
  void SetInk(int x, int y, bool ink) { ink_[Index(x, y)] = ink; }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x - 1; }
  int width_, height_;
  std::vector<std::uint8_t> ink_;
};

// The column bytes: ceil(height / 8) per column, at least one. Only rows 0-63 (the screen's
// height) carry dots; the bands of further rows are zero bytes.
std::vector<std::uint8_t> ColumnBytes(const DotGrid& grid);

// Writes the whole block as data in the current zone: width, height (omitted when there are no
// rows) and the column bytes.
void EmitGraph(Compilation& c, const DotGrid& grid);

// Reads rows of "." and "*" up to "#END" for `directive` (#DEFGRAPH, #DEFCHAR): each token is
// one row and "*" is ink. A row or a row count past 255 is an error.
[[nodiscard]] Status ReadGraphRows(Compilation& c, std::string_view directive, DotGrid& grid);

}  // namespace calvern
