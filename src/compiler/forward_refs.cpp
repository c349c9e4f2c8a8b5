#include "compiler/forward_refs.h"

namespace calvern {

bool ForwardRefTable::Add(ForwardRef ref) {
  if (static_cast<int>(refs_.size()) >= kCapacity) Compact();
  if (static_cast<int>(refs_.size()) >= kCapacity) return false;
  Append(std::move(ref));
  return true;
}

void ForwardRefTable::Append(ForwardRef ref) {
  refs_.push_back(std::move(ref));
  nextOfName_.push_back(-1);
  Chain(static_cast<int>(refs_.size()) - 1);
}

void ForwardRefTable::Chain(int index) {
  const auto nameAt = NameAt();
  const std::string& name = refs_[index].name;
  if (const std::uint32_t first = firstByName_.Find(name, nameAt); first == 0) {
    firstByName_.Add(name, static_cast<std::uint32_t>(index) + 1);
    lastOfName_[index] = index;
  } else {
    int& last = lastOfName_[first - 1];
    nextOfName_[last] = index;
    last = index;
  }
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
  // The pending references move down in place, in their order, and are chained again: a second
  // table would cost as many fresh pages as the first.
  std::erase_if(refs_, [](const ForwardRef& ref) { return ref.name.empty(); });
  nextOfName_.assign(refs_.size(), -1);
  firstByName_.Clear();
  for (int i = 0; i < static_cast<int>(refs_.size()); ++i) Chain(i);
}

}  // namespace calvern
