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

void ForwardRefTable::Clear() {
  refs_.clear();
  byName_.clear();
}

bool ForwardRefTable::Add(const std::string& name, int position) {
  if (static_cast<int>(refs_.size()) >= kCapacity) Compact();
  if (static_cast<int>(refs_.size()) >= kCapacity) return false;
  byName_[name].push_back(static_cast<int>(refs_.size()));
  refs_.push_back({name, position});
  return true;
}

void ForwardRefTable::SetLastPosition(int position) {
  if (!refs_.empty()) refs_.back().position = position;
}

void ForwardRefTable::SetLastOneByte() {
  if (!refs_.empty()) refs_.back().oneByte = true;
}

std::vector<ForwardRef> ForwardRefTable::Resolve(const std::string& name) {
  std::vector<ForwardRef> resolved;
  auto it = byName_.find(name);
  if (it == byName_.end()) return resolved;
  for (int i : it->second) {
    resolved.push_back(refs_[i]);
    refs_[i].name.clear();
  }
  byName_.erase(it);
  return resolved;
}

const ForwardRef* ForwardRefTable::FirstPending() const {
  for (const ForwardRef& ref : refs_) {
    if (!ref.name.empty()) return &ref;
  }
  return nullptr;
}

void ForwardRefTable::Compact() {
  std::vector<ForwardRef> kept;
  byName_.clear();
  for (ForwardRef& ref : refs_) {
    if (ref.name.empty()) continue;
    byName_[ref.name].push_back(static_cast<int>(kept.size()));
    kept.push_back(std::move(ref));
  }
  refs_ = std::move(kept);
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
