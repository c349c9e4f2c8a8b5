// The calculator's memory as the compiler builds it: one cell per program step, binary byte
// and decimal-register byte, each with the keys or comment the listing shows for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace calvern {

// The data marker that starts the listing text of data cells (U+00B2, in UTF-8).
inline constexpr const char* kDataMark = "\xC2\xB2";

class MemoryImage {
 public:
  static constexpr int kProgramCells = 10000;  // steps 0000-9999
  static constexpr int kBinaryStart = 10000;   // cell of binary address 1000
  static constexpr int kBinaryOffset = 9000;   // binary address a lives in cell a + 9000
  static constexpr int kDecimalStart = 14096;  // register r in cells 14096 + 8r ... + 7
  static constexpr int kCellCount = 22096;

  // Cell contents that are not a byte.
  static constexpr int kUnused = -1;
  static constexpr int kUndefined = -2;  // a form-table address no form has claimed ("??")

  MemoryImage() : value_(kCellCount, kUnused), keys_(kCellCount) {}

  bool Used(int cell) const { return value_[cell] != kUnused; }
  // The cell's byte 0-255, or kUnused / kUndefined.
  int Value(int cell) const { return value_[cell]; }
  // The byte as the listing shows it: two hexadecimal digits, "&" unused, "??" undefined.
  std::string CodeText(int cell) const;
  const std::string& Keys(int cell) const { return keys_[cell]; }
  // A data cell's listing text starts with the data marker.
  bool IsData(int cell) const;

  void Set(int cell, int value, std::string keys) {
    value_[cell] = static_cast<int16_t>(value);
    keys_[cell] = std::move(keys);
  }

 private:
  std::vector<int16_t> value_;
  std::vector<std::string> keys_;
};

}  // namespace calvern
