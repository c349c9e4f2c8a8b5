#include "compiler/symbol_tables.h"

#include "tables/io_register_table.h"
#include "tables/keyword_table.h"

namespace calvern {

int LabelTable::Find(const std::string& name) const {
  return static_cast<int>(index_.Find(name, NameAt())) - 1;
}

bool LabelTable::Add(const std::string& name, int value) {
  if (Full() || Find(name) >= 0) return false;
  if (labels_.empty()) labels_.reserve(kCapacity);  // adding never moves the labels
  labels_.push_back({names_.Add(name), value});
  index_.Add(name, static_cast<std::uint32_t>(Count()));
  return true;
}

void RegisterNameTable::LoadIoRegisters() {
  for (const IoRegisterRecord& record : IoRegisterTable()) {
    SetName(record.number, UpperCase(record.name));
  }
}

int RegisterNameTable::NextNamed(std::string_view upperName, int reg) const {
  const int named = NextWhere(reg, [&](std::uint16_t slot) {
    const std::uint16_t place = slot & kPlace;
    return place != 0 && text_[names_[place]] == upperName;
  });
  return named < kSize ? named : -1;
}

void RegisterNameTable::SetName(int reg, const std::string& upperName) {
  const auto nameAt = NameAt();
  std::uint16_t& slot = SlotToWrite(reg);
  if ((slot & kPlace) == 0) {
    // Room for the I/O names and a program's own, so that naming rarely moves the names.
    if (names_.size() == 1) names_.reserve(1024);
    slot |= static_cast<std::uint16_t>(names_.size());
    names_.emplace_back();
  }
  NameText::Place& place = names_[slot & kPlace];
  if (const std::string_view name = text_[place]; !name.empty()) {
    // Renaming the lowest holder of the old name hands it to the next one above, if any: a
    // scan, but renaming a register is rare.
    if (lowestByName_.Find(name, nameAt) == static_cast<std::uint32_t>(reg) + 1) {
      if (const int next = NextNamed(name, reg + 1); next >= 0) {
        lowestByName_.Move(name, nameAt, static_cast<std::uint32_t>(next) + 1);
      } else {
        lowestByName_.Remove(name, nameAt);
      }
    }
    place = {};
  }
  if (upperName.empty()) return;
  place = text_.Add(upperName);
  const std::uint32_t lowest = lowestByName_.Find(upperName, nameAt);
  if (lowest == 0) {
    lowestByName_.Add(upperName, static_cast<std::uint32_t>(reg) + 1);
  } else if (static_cast<std::uint32_t>(reg) + 1 < lowest) {
    lowestByName_.Move(upperName, nameAt, static_cast<std::uint32_t>(reg) + 1);
  }
}

int RegisterNameTable::NextReferenced(int reg) const {
  return NextWhere(reg, [](std::uint16_t slot) { return (slot & kReferenced) != 0; });
}

int RegisterNameTable::Find(const std::string& upperName) const {
  const int reg = static_cast<int>(lowestByName_.Find(upperName, NameAt())) - 1;
  return reg <= 9999 ? reg : -1;
}

}  // namespace calvern
