// The calculator's memory as the compiler builds it: one text cell per program step, binary
// byte and decimal-register byte, each with the keys or comment shown for it in the listing.
#pragma once

#include <string>
#include <vector>

namespace calvern {

struct MemoryImage {
  static constexpr int kProgramCells = 10000;  // steps 0000-9999
  static constexpr int kBinaryStart = 10000;   // cell of binary address 1000
  static constexpr int kBinaryOffset = 9000;   // binary address a lives in cell a + 9000
  static constexpr int kDecimalStart = 14096;  // register r in cells 14096 + 8r ... + 7
  static constexpr int kCellCount = 22096;
  static constexpr const char* kUnused = "&";

  MemoryImage() { Reset(); }
  // Every cell back to unused.
  void Reset();
  bool Used(int cell) const { return Code[cell] != kUnused; }
  // A finished cell's byte (its two hexadecimal digits); unused or marker cells give -1.
  int ByteValue(int cell) const;
  // A data cell's listing text starts with the superscript-two marker.
  bool IsData(int cell) const;

  std::vector<std::string> Code;         // two hex digits, "&" unused, or a patch marker
  std::vector<std::string> ListingText;  // keys as pressed, or a data comment starting with "²"
};

// The data marker that starts the listing text of data cells (U+00B2, in UTF-8).
inline constexpr const char* kDataMark = "\xC2\xB2";

}  // namespace calvern
