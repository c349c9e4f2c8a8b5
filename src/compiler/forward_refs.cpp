#include "compiler/forward_refs.h"

namespace calvern {

bool ForwardRefTable::Add(ForwardRef ref) {
  if (static_cast<int>(refs_.size()) >= kCapacity) Compact();
  if (static_cast<int>(refs_.size()) >= kCapacity) return false;
  byName_[ref.name].push_back(static_cast<int>(refs_.size()));
  refs_.push_back(std::move(ref));
  return true;
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
  std::vector<ForwardRef> kept;
  byName_.clear();
  for (ForwardRef& ref : refs_) {
    if (ref.name.empty()) continue;
    byName_[ref.name].push_back(static_cast<int>(kept.size()));
    kept.push_back(std::move(ref));
  }
  refs_ = std::move(kept);
}

}  // namespace calvern
