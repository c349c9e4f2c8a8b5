// The compiler's symbol tables: labels and register names.
// Each answers lookups through an index that gives what a first-match scan of the table would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tables/text_index.h"

namespace calvern {

struct Label {
  std::string name;
  int value;  // program step 0-9999, or binary address + 9000 (10000-14095)
};

class LabelTable {
 public:
  static constexpr int kCapacity = 512;

  // Index of the label with this name, or -1.
  int Find(const std::string& name) const;
  bool Full() const { return Count() >= kCapacity; }
  // Adds a label; false (and nothing added) when the name is taken or the table is full.
  [[nodiscard]] bool Add(const std::string& name, int value);
  int Count() const { return static_cast<int>(labels_.size()); }
  const Label& operator[](int i) const { return labels_[i]; }

 private:
  // The names at the places of the index: a label's index + 1.
  auto NameAt() const {
    return [this](std::uint32_t place) -> const std::string& { return labels_[place - 1].name; };
  }

  std::vector<Label> labels_;
  TextIndex index_{2 * kCapacity};  // name to 1 + its label's index
};

// Register number (0-10000) to name, with the I/O register names preloaded, and the flags of
// the registers that the program referred to by name. A program names a few hundred of its
// ten thousand registers: each register holds only the place of its name.
class RegisterNameTable {
 public:
  static constexpr int kSize = 10001;

  RegisterNameTable() : nameOf_(kSize, 0), referenced_(kSize, 0) {}
  // Preloads the calculator's I/O register names (9000-9213), upper-cased.
  void LoadIoRegisters();
  void SetName(int reg, const std::string& upperName);
  // The register's name, empty for none.
  const std::string& Name(int reg) const { return names_[nameOf_[reg]]; }
  // The lowest register 0-9999 carrying this name, or -1.
  int Find(const std::string& upperName) const;
  void MarkReferenced(int reg) { referenced_[reg] = 1; }
  bool Referenced(int reg) const { return referenced_[reg] != 0; }
  // The first register from `reg` on that the program referred to by name, kSize for none.
  int NextReferenced(int reg) const;

 private:
  // The lowest register from `reg` on carrying `upperName`, or -1.
  int NextNamed(const std::string& upperName, int reg) const;
  // The names at the places of the index: a register's number + 1.
  auto NameAt() const {
    return [this](std::uint32_t place) -> const std::string& { return Name(place - 1); };
  }

  // Per register: where its name stands in names_, 0 (an empty name) for none. A register
  // keeps its place when renamed, so there are never more places than registers.
  std::vector<std::uint16_t> nameOf_;
  std::vector<std::string> names_{1};
  std::vector<char> referenced_;
  // Name to the lowest register carrying it (names may be shared), as its number + 1.
  TextIndex lowestByName_;
};

}  // namespace calvern
