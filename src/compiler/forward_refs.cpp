#include "compiler/forward_refs.h"

namespace calvern {

bool ForwardRefTable::Add(ForwardRef ref) {
  if (static_cast<int>(refs_.size()) >= kCapacity) Compact();
  if (static_cast<int>(refs_.size()) >= kCapacity) return false;
  Append(std::move(ref));
  return true;
}

void ForwardRefTable::Append(ForwardRef ref) {
  const int index = static_cast<int>(refs_.size());
  auto [chain, added] = byName_->map.try_emplace(ref.name, Chain{index, index});
  if (!added) {
    nextOfName_[chain->second.last] = index;
    chain->second.last = index;
  }
  refs_.push_back(std::move(ref));
  nextOfName_.push_back(-1);
}

const std::vector<ForwardRef>& ForwardRefTable::Resolve(const std::string& name) {
  resolved_.clear();
  auto it = byName_->map.find(name);
  if (it == byName_->map.end()) return resolved_;
  for (int i = it->second.first; i >= 0; i = nextOfName_[i]) {
    resolved_.push_back(std::move(refs_[i]));
    refs_[i].name.clear();
  }
  byName_->map.erase(it);
  return resolved_;
}

const ForwardRef* ForwardRefTable::FirstPending(
    const std::function<bool(const ForwardRef&)>& counts) const {
  for (const ForwardRef& ref : refs_) {
    if (!ref.name.empty() && counts(ref)) return &ref;
  }
  return nullptr;
}

int CellsFilled(const ForwardRef& ref) {
  switch (ref.kind) {
    case PatchKind::kJumpLong:
    case PatchKind::kAddressFull:
      return 2;
    case PatchKind::kNumDigits:
      return ref.digits;
    default:
      return 1;
  }
}

void ForwardRefTable::Compact() {
  std::vector<ForwardRef> pending = std::move(refs_);
  StartEmpty();
  for (ForwardRef& ref : pending) {
    if (!ref.name.empty()) Append(std::move(ref));
  }
}

void ForwardRefTable::StartEmpty() {
  refs_.clear();
  refs_.reserve(kCapacity);
  nextOfName_.clear();
  nextOfName_.reserve(kCapacity);
  byName_ = std::make_unique<NameIndex<Chain>>();
  byName_->map.reserve(kCapacity);
}

}  // namespace calvern
