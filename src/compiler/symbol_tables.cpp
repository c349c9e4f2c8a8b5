#include "compiler/symbol_tables.h"

#include <cstring>

#include "tables/io_register_table.h"
#include "tables/keyword_table.h"

namespace calvern {

int LabelTable::Find(const std::string& name) const {
  const auto nameAt = [this](std::uint32_t place) -> const std::string& {
    return labels_[place - 1].name;
  };
  return static_cast<int>(index_.Find(name, nameAt)) - 1;
}

bool LabelTable::Add(const std::string& name, int value) {
  if (Full() || Find(name) >= 0) return false;
  if (labels_.empty()) labels_.reserve(kCapacity);  // adding never moves the labels
  labels_.push_back({name, value});
  index_.Add(name, static_cast<std::uint32_t>(Count()));
  return true;
}

void RegisterNameTable::LoadIoRegisters() {
  for (const IoRegisterRecord& record : IoRegisterTable()) {
    SetName(record.number, UpperCase(record.name));
  }
}

int RegisterNameTable::LowestNamed(const std::string& upperName) const {
  for (int reg = 0; reg < kSize; ++reg) {
    if (Name(reg) == upperName) return reg;
  }
  return -1;
}

void RegisterNameTable::SetName(int reg, const std::string& upperName) {
  std::uint16_t& place = nameOf_[reg];
  if (place == 0) {
    // Room for the I/O names and a program's own, so that naming rarely moves or rehashes.
    if (names_.size() == 1) {
      names_.reserve(1024);
      lowestByName_->map.reserve(1024);
    }
    place = static_cast<std::uint16_t>(names_.size());
    names_.emplace_back();
  }
  std::string& name = names_[place];
  if (!name.empty()) {
    const std::string old = std::move(name);
    name.clear();
    // Renaming the lowest holder of the old name hands it to the next one, if any: a scan,
    // but renaming a register is rare.
    if (auto lowest = lowestByName_->map.find(old); lowest->second == reg) {
      if (const int next = LowestNamed(old); next >= 0) {
        lowest->second = next;
      } else {
        EraseName(lowest);
      }
    }
  }
  if (upperName.empty()) return;
  name = upperName;
  auto [lowest, added] = lowestByName_->map.emplace(upperName, reg);
  if (!added && reg < lowest->second) lowest->second = reg;
}

void RegisterNameTable::EraseName(NameIndex<int>::Map::iterator name) {
  lowestByName_->map.erase(name);
  if (++erased_ < kErasedBeforeRebuild) return;
  auto fresh = std::make_unique<NameIndex<int>>();
  fresh->map.reserve(lowestByName_->map.size());
  for (const auto& [text, reg] : lowestByName_->map) fresh->map.emplace(text, reg);
  lowestByName_ = std::move(fresh);
  erased_ = 0;
}

int RegisterNameTable::NextReferenced(int reg) const {
  if (reg >= kSize) return kSize;
  // A program refers to a few hundred of ten thousand registers: the flags are searched as
  // bytes, not looked at one by one.
  const void* found = std::memchr(referenced_.data() + reg, 1, kSize - reg);
  return found == nullptr ? kSize
                          : static_cast<int>(static_cast<const char*>(found) - referenced_.data());
}

int RegisterNameTable::Find(const std::string& upperName) const {
  auto it = lowestByName_->map.find(upperName);
  if (it == lowestByName_->map.end()) return -1;
  return it->second <= 9999 ? it->second : -1;
}

}  // namespace calvern
