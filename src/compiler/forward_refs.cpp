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
  const auto nameAt = NameAt();
  if (const std::uint32_t first = firstByName_.Find(ref.name, nameAt); first == 0) {
    firstByName_.Add(ref.name, static_cast<std::uint32_t>(index) + 1);
    lastOfName_[index] = index;
  } else {
    int& last = lastOfName_[first - 1];
    nextOfName_[last] = index;
    last = index;
  }
  refs_.push_back(std::move(ref));
  nextOfName_.push_back(-1);
}

const std::vector<ForwardRef>& ForwardRefTable::Resolve(const std::string& name) {
  resolved_.clear();
  const auto nameAt = NameAt();
  const std::uint32_t first = firstByName_.Find(name, nameAt);
  if (first == 0) return resolved_;
  firstByName_.Remove(name, nameAt);
  for (int i = static_cast<int>(first) - 1; i >= 0; i = nextOfName_[i]) {
    resolved_.push_back(std::move(refs_[i]));
    refs_[i].name.clear();
  }
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
  lastOfName_.resize(kCapacity);
  firstByName_.Clear();
}

}  // namespace calvern
