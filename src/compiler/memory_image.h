// The calculator's memory as the compiler builds it: one cell per program step, binary byte
// and decimal-register byte, each with its kind and the keys or comment the listing shows.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/byte_text.h"
#include "tables/memory_map.h"

namespace calvern {

// The marker "²" (U+00B2, in UTF-8) that the texts generated for register-held strings carry.
inline constexpr const char* kDataMark = "\xC2\xB2";

// What a cell holds. The kind, not the listing text, says whether the calculator's program file
// marks a step as code or as data.
enum class CellKind : std::uint8_t {
  kUnused,       // never written
  kInstruction,  // an instruction's opcode, or a keystroke (the digits of a number)
  kOperand,      // an address or register byte of the instruction before it
  kData,         // a data byte (tables, form codes, graphs, decimal registers)
  kWordPart,     // a byte of a word or a long
  kText,         // a text character
  kAddressPart,  // a byte of an address or register number in a table (AH, AL, RH, RL)
  kOffset,       // a distance from a base: #OFFSET, form offsets, font offsets
  kUndefined,    // a form-table address no form has claimed yet ("??")
};

// Instructions and their operands are code; every other used cell is data.
inline bool IsCode(CellKind kind) {
  return kind == CellKind::kInstruction || kind == CellKind::kOperand;
}

// The keys of every operand byte, "0 0" to "F F".
inline constexpr auto kOperandKeys = [] {
  std::array<std::array<char, 3>, 256> keys{};
  for (int byte = 0; byte < 256; ++byte) {
    keys[byte] = {kHexDigits[byte >> 4], ' ', kHexDigits[byte & 15]};
  }
  return keys;
}();

// Makes a per-cell record hold the cells up to `cell`, in steps of 256 cells. Room for the
// whole memory is reserved at the first write, so growing never moves what is stored; the
// cells are only initialised as far as they are written, which is what a short program saves.
template <typename Cells>
void StoreCellsUpTo(Cells& cells, int cell) {
  constexpr int kStep = 256;
  if (cells.capacity() < static_cast<std::size_t>(kMemoryCells)) cells.reserve(kMemoryCells);
  cells.resize(std::min(kMemoryCells, (cell / kStep + 1) * kStep));
}

class MemoryImage {
 public:
  // The zones of the memory map, by their cells.
  static constexpr int kProgramCells = kProgramMemory.cells;      // steps 0000-9999
  static constexpr int kBinaryStart = kBinaryMemory.firstCell;    // cell of binary address 1000
  static constexpr int kBinaryOffset = kBinaryAddressToCell;      // address a is cell a + 9000
  static constexpr int kDecimalStart = kDecimalMemory.firstCell;  // register r: 8 cells from here
  static constexpr int kCellCount = kMemoryCells;

  // What Value gives for cells that hold no byte.
  static constexpr int kUnused = -1;
  static constexpr int kUndefined = -2;

  // An empty image holds no storage: the cells are stored up to the highest one written, so a
  // short program does not pay for the whole memory.
  MemoryImage() = default;

  bool Used(int cell) const { return Kind(cell) != CellKind::kUnused; }
  CellKind Kind(int cell) const { return Stored(cell) ? kind_[cell] : CellKind::kUnused; }
  // The cell's byte 0-255, or kUnused / kUndefined.
  int Value(int cell) const {
    const CellKind kind = Kind(cell);
    if (kind == CellKind::kUnused) return kUnused;
    if (kind == CellKind::kUndefined) return kUndefined;
    return byte_[cell];
  }
  // The byte as the listing shows it: two hexadecimal digits, "&" unused, "??" undefined.
  std::string CodeText(int cell) const;
  // The keys or comment the listing shows for the cell. An operand byte's keys are its two
  // BCD digits with a blank between ("1 2"): they follow from the byte and are not stored.
  std::string_view Keys(int cell) const {
    if (!Stored(cell)) return {};
    if (kind_[cell] == CellKind::kOperand) {
      return std::string_view(kOperandKeys[byte_[cell]].data(), 3);
    }
    return KeysAt(keys_[cell]);
  }
  // The cells from here on are all unused (nothing stored for them).
  int UnusedFrom() const { return static_cast<int>(kind_.size()); }
  // The kinds and bytes of the cells before UnusedFrom(), for the writers that walk a whole
  // zone (a byte means nothing where the kind is unused or undefined).
  std::span<const CellKind> StoredKinds() const { return kind_; }
  std::span<const std::uint8_t> StoredBytes() const { return byte_; }
  // A used cell that is no instruction or operand.
  bool IsData(int cell) const { return Used(cell) && !IsCode(Kind(cell)); }

  // Where keys stand in the image's text of keys: the offset of their length, 0 for none.
  // Four bytes a cell rather than an offset and a length: a full program has thousands of
  // cells, and every page of per-cell records is a page the process must be given.
  using KeysPlace = std::uint32_t;
  // The keys stored at a place.
  std::string_view KeysAt(KeysPlace place) const {
    if (place == 0) return {};
    const char* at = keyText_.data() + place;
    std::uint32_t length = static_cast<unsigned char>(*at++);
    if (length == kLongKeys) {
      std::memcpy(&length, at, sizeof length);
      at += sizeof length;
    }
    return {at, length};
  }
  // Stores keys that many cells show (an instruction's), for Set to refer to.
  KeysPlace StoreKeys(std::string_view keys) {
    // Most keys are a few characters: they join the text with their length in one step, copied
    // first (so keys read from this image's own text are safe too).
    if (keys.empty() || keys.size() >= kShortKeys || keyText_.empty()) return StoreAnyKeys(keys);
    const auto place = static_cast<KeysPlace>(keyText_.size());
    char entry[kShortKeys + 1];
    entry[0] = static_cast<char>(keys.size());
    std::memcpy(entry + 1, keys.data(), keys.size());
    keyText_.append(entry, keys.size() + 1);
    return place;
  }

  void Set(int cell, CellKind kind, int value, std::string_view keys) {
    // An operand's keys follow from its byte: nothing is stored for them.
    Set(cell, kind, value, kind == CellKind::kOperand ? KeysPlace{0} : StoreKeys(keys));
  }
  // The same with keys stored before by StoreKeys. A cell written again keeps its old keys in
  // the text, unreferenced: rewrites are rare.
  void Set(int cell, CellKind kind, int value, KeysPlace keys) {
    if (!Stored(cell)) {
      StoreCellsUpTo(byte_, cell);
      StoreCellsUpTo(kind_, cell);
      StoreCellsUpTo(keys_, cell);
    }
    byte_[cell] = static_cast<std::uint8_t>(value);
    kind_[cell] = kind;
    keys_[cell] = keys;
  }

 private:
  static constexpr unsigned char kLongKeys = 255;  // the length byte of keys whose length follows
  static constexpr std::size_t kShortKeys = 64;    // keys shorter than this join in one step
  // Keys of any length, from anywhere (this image's own text included).
  KeysPlace StoreAnyKeys(std::string_view keys);

  bool Stored(int cell) const { return static_cast<std::size_t>(cell) < kind_.size(); }

  std::vector<std::uint8_t> byte_;
  std::vector<CellKind> kind_;
  // The keys of all cells one after another in one text, rather than a string per cell: a
  // full program has thousands of cells, and most keys are a few characters. A cell's keys
  // follow their length: one byte below 255, else 255 and four bytes.
  std::vector<KeysPlace> keys_;
  std::string keyText_;
};

}  // namespace calvern
