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

RegisterNameTable::RegisterNameTable() : names_(kSize), referenced_(kSize, 0) {}

void RegisterNameTable::Clear() {
  for (auto& [name, regs] : byName_) {
    for (int r : regs) names_[r].clear();
  }
  byName_.clear();
  std::fill(referenced_.begin(), referenced_.end(), 0);
}

void RegisterNameTable::LoadIoRegisters() {
  for (const IoRegisterRecord& record : IoRegisterTable()) {
    SetName(record.number, UpperCase(record.name));
  }
}

void RegisterNameTable::SetName(int reg, const std::string& upperName) {
  std::string& current = names_[reg];
  if (!current.empty()) {
    auto it = byName_.find(current);
    it->second.erase(reg);
    if (it->second.empty()) byName_.erase(it);
  }
  current = upperName;
  if (!upperName.empty()) byName_[upperName].insert(reg);
}

int RegisterNameTable::Find(const std::string& upperName) const {
  auto it = byName_.find(upperName);
  if (it == byName_.end()) return -1;
  int lowest = *it->second.begin();
  return lowest <= 9999 ? lowest : -1;
}

}  // namespace calvern
