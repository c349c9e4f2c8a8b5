// The compiler's symbol tables: labels and register names.
// Each answers lookups through an index that gives what a first-match scan of the table would.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/name_text.h"
#include "tables/text_index.h"

namespace calvern {

struct Label {
  std::string_view name;  // valid while the table lives and takes no label
  int value;              // program step 0-9999, or binary address + 9000 (10000-14095)
};

// Labels that are no names of the user's, which the listing shows only when asked for all and
// the symbol file never: those of structures ("lab1") and of generated code ("__find").
inline bool IsHiddenLabel(std::string_view name) {
  return name.starts_with('l') || name.starts_with("__");
}

class LabelTable {
 public:
  static constexpr int kCapacity = 512;

  // Index of the label with this name, or -1.
  int Find(const std::string& name) const;
  bool Full() const { return Count() >= kCapacity; }
  // Adds a label; false (and nothing added) when the name is taken or the table is full.
  [[nodiscard]] bool Add(const std::string& name, int value);
  int Count() const { return static_cast<int>(labels_.size()); }
  Label operator[](int i) const { return {names_[labels_[i].name], labels_[i].value}; }

 private:
  struct Entry {
    NameText::Place name;
    int value;
  };
  // The names at the places of the index: a label's index + 1.
  auto NameAt() const {
    return [this](std::uint32_t place) { return names_[labels_[place - 1].name]; };
  }

  std::vector<Entry> labels_;
  NameText names_;
  TextIndex index_{2 * kCapacity};  // name to 1 + its label's index
};

// Register number (0-10000) to name, with the I/O register names preloaded, and the flags of
// the registers that the program referred to by name. A program names a few hundred of its
// ten thousand registers, its own low ones and the I/O registers from 9000: the registers are
// kept in chunks of 256, each made when one of its registers is first named or referred to,
// and a register holds only the place of its name.
class RegisterNameTable {
 public:
  static constexpr int kSize = 10001;

  // Preloads the calculator's I/O register names (9000-9213), upper-cased.
  void LoadIoRegisters();
  void SetName(int reg, const std::string& upperName);
  // The register's name, empty for none; valid while the table lives and names no register.
  std::string_view Name(int reg) const { return text_[names_[Slot(reg) & kPlace]]; }
  // The lowest register 0-9999 carrying this name, or -1.
  int Find(const std::string& upperName) const;
  void MarkReferenced(int reg) { SlotToWrite(reg) |= kReferenced; }
  bool Referenced(int reg) const { return (Slot(reg) & kReferenced) != 0; }
  // The first register from `reg` on that the program referred to by name, kSize for none.
  int NextReferenced(int reg) const;

 private:
  static constexpr int kChunk = 256;
  // A register's slot: the place of its name in names_ (0, an empty name, for none), and the
  // flag of a reference by name. There are never more places than registers.
  static constexpr std::uint16_t kReferenced = 0x8000;
  static constexpr std::uint16_t kPlace = 0x7FFF;
  static_assert(kSize < kPlace);

  std::uint16_t Slot(int reg) const {
    const std::vector<std::uint16_t>& chunk = chunks_[reg / kChunk];
    return chunk.empty() ? 0 : chunk[reg % kChunk];
  }
  std::uint16_t& SlotToWrite(int reg) {
    std::vector<std::uint16_t>& chunk = chunks_[reg / kChunk];
    if (chunk.empty()) chunk.resize(kChunk);
    return chunk[reg % kChunk];
  }
  // The first register from `reg` on whose slot `holds`, kSize for none. A chunk never made
  // holds neither a name nor a reference: its registers are passed over at once.
  template <typename Holds>
  int NextWhere(int reg, Holds holds) const {
    for (; reg < kSize; ++reg) {
      const std::vector<std::uint16_t>& chunk = chunks_[reg / kChunk];
      if (chunk.empty()) {
        reg = (reg / kChunk + 1) * kChunk - 1;
      } else if (holds(chunk[reg % kChunk])) {
        return reg;
      }
    }
    return kSize;
  }
  // The lowest register from `reg` on carrying `upperName`, or -1.
  int NextNamed(std::string_view upperName, int reg) const;
  // The names at the places of the index: a register's number + 1.
  auto NameAt() const {
    return [this](std::uint32_t place) { return Name(place - 1); };
  }

  std::array<std::vector<std::uint16_t>, (kSize + kChunk - 1) / kChunk> chunks_;
  std::vector<NameText::Place> names_{1};  // a register keeps its place when renamed
  NameText text_;
  // Name to the lowest register carrying it (names may be shared), as its number + 1.
  TextIndex lowestByName_;
};

}  // namespace calvern
