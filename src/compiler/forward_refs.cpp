#include "compiler/forward_refs.h"

namespace calvern {

bool ForwardRefTable::Add(const ForwardRef& ref, std::string_view name) {
  if (static_cast<int>(refs_.size()) >= kCapacity) Compact();
  if (static_cast<int>(refs_.size()) >= kCapacity) return false;
  // A name already waited for is not stored again: the chain's first reference holds it.
  const std::uint32_t first = firstByName_.Find(name, NameAt());
  refs_.push_back(ref);
  names_.push_back(first == 0 ? text_.Add(name) : names_[first - 1]);
  nextOfName_.push_back(-1);
  Chain(static_cast<int>(refs_.size()) - 1, first);
  return true;
}

void ForwardRefTable::Chain(int index, std::uint32_t first) {
  if (first == 0) {
    firstByName_.Add(text_[names_[index]], static_cast<std::uint32_t>(index) + 1);
    lastOfName_[index] = index;
  } else {
    int& last = lastOfName_[first - 1];
    nextOfName_[last] = index;
    last = index;
  }
}

const std::vector<ForwardRef>& ForwardRefTable::Resolve(std::string_view name) {
  resolved_.clear();
  const auto nameAt = NameAt();
  const std::uint32_t first = firstByName_.Find(name, nameAt);
  if (first == 0) return resolved_;
  firstByName_.Remove(name, nameAt);
  for (int i = static_cast<int>(first) - 1; i >= 0; i = nextOfName_[i]) {
    resolved_.push_back(refs_[i]);
    names_[i] = {};
  }
  return resolved_;
}

const ForwardRef* ForwardRefTable::FirstPending(
    const std::function<bool(const ForwardRef&)>& counts) const {
  for (std::size_t i = 0; i < refs_.size(); ++i) {
    if (names_[i].size != 0 && counts(refs_[i])) return &refs_[i];
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
  // table would cost as many fresh pages as the first. Their names start a new text.
  NameText kept;
  std::size_t count = 0;
  for (std::size_t i = 0; i < refs_.size(); ++i) {
    if (names_[i].size == 0) continue;
    refs_[count] = refs_[i];
    names_[count] = kept.Add(text_[names_[i]]);
    ++count;
  }
  refs_.resize(count);
  names_.resize(count);
  text_ = std::move(kept);
  nextOfName_.assign(count, -1);
  firstByName_.Clear();
  for (int i = 0; i < static_cast<int>(count); ++i) {
    Chain(i, firstByName_.Find(text_[names_[i]], NameAt()));
  }
}

}  // namespace calvern
