#include "compiler/symbol_tables.h"

#include "tables/io_register_table.h"
#include "tables/keyword_table.h"

namespace calvern {

void LabelTable::Clear() {
  labels_.clear();
  index_.clear();
}

int LabelTable::Find(const std::string& name) const {
  auto it = index_.find(name);
  return it == index_.end() ? -1 : it->second;
}

void LabelTable::Add(const std::string& name, int value) {
  index_.emplace(name, Count());  // the first label of a name stays the one found
  labels_.push_back({name, value});
}

void RegisterNameTable::LoadIoRegisters() {
  for (const IoRegisterRecord& record : IoRegisterTable()) {
    SetName(record.number, UpperCase(record.name));
  }
}

const std::string& RegisterNameTable::Name(int reg) const {
  static const std::string kNone;
  auto it = names_.find(reg);
  return it == names_.end() ? kNone : it->second;
}

std::optional<int> RegisterNameTable::LowestNamed(const std::string& upperName) const {
  for (const auto& [reg, name] : names_) {
    if (name == upperName) return reg;
  }
  return std::nullopt;
}

void RegisterNameTable::SetName(int reg, const std::string& upperName) {
  auto it = names_.find(reg);
  if (it != names_.end()) {
    const std::string old = std::move(it->second);
    names_.erase(it);
    // Renaming the lowest holder of the old name hands it to the next one, if any: a scan,
    // but renaming a register is rare.
    if (auto lowest = lowestByName_.find(old); lowest->second == reg) {
      if (std::optional<int> next = LowestNamed(old)) {
        lowest->second = *next;
      } else {
        lowestByName_.erase(lowest);
      }
    }
  }
  if (upperName.empty()) return;
  names_.emplace(reg, upperName);
  auto [lowest, added] = lowestByName_.emplace(upperName, reg);
  if (!added && reg < lowest->second) lowest->second = reg;
}

int RegisterNameTable::Find(const std::string& upperName) const {
  auto it = lowestByName_.find(upperName);
  if (it == lowestByName_.end()) return -1;
  return it->second <= 9999 ? it->second : -1;
}

}  // namespace calvern
