// Jumps and data items that name a label not yet defined. Each reference says what its
// label's definition patches, and where.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compiler/name_text.h"
#include "tables/message_table.h"
#include "tables/text_index.h"

namespace calvern {

enum class PatchKind {
  kJumpLong,     // two BCD address bytes: hundreds, then the low two digits
  kJumpOneByte,  // one BCD byte: the low two digits (the "!" forms of WHILE, IF and ELSE)
  kNumDigits,    // #NUM: `digits` digit keystrokes, padded with leading zeros
  kAddressLow,   // #DAL: the low two digits as a hexadecimal byte
  kAddressFull,  // #DAF, #DAFK, "A" form operands: two BCD bytes, hundreds first
  kOffset,       // #OFFSET: distance from the #BASE location, one byte
  kFormOffset,   // "O" form operands: distance from the form program's start, one byte
};

// What a reference patches; its table keeps the name it waits for.
struct ForwardRef {
  PatchKind kind = PatchKind::kJumpLong;
  int cell = 0;        // the first cell the patch writes
  int digits = 0;      // kNumDigits: how many
  int base = 0;        // kFormOffset: the start of the form the offset counts from
  long long line = 0;  // where the reference stands, for the message when it stays unresolved
  int serial = 0;      // numbers the reference among all recorded, from 1
  // kJumpOneByte: the message when the label lies outside the jump's block ("!" or ".S").
  MessageId outOfBlock = kShortJumpOutOfBlock;
};

// How many cells from `cell` on the reference fills.
int CellsFilled(const ForwardRef& ref);

// At most 512 references are pending at a time; resolved entries are dropped when room is
// needed, keeping the recording order.
class ForwardRefTable {
 public:
  static constexpr int kCapacity = 512;

  // Room for the most references the table holds, so that recording never moves them.
  ForwardRefTable() {
    refs_.reserve(kCapacity);
    names_.reserve(kCapacity);
    nextOfName_.reserve(kCapacity);
    lastOfName_.resize(kCapacity);
  }
  // Records a reference to `name`; false when 512 references are already pending.
  [[nodiscard]] bool Add(const ForwardRef& ref, std::string_view name);
  // Marks every pending reference to name resolved and gives them in recording order. The
  // list is the table's own: it holds until the next call.
  const std::vector<ForwardRef>& Resolve(std::string_view name);
  // The earliest recorded reference still pending for which `counts` holds, or nullptr.
  const ForwardRef* FirstPending(const std::function<bool(const ForwardRef&)>& counts) const;
  // The name a pending reference of this table waits for.
  std::string_view NameOf(const ForwardRef& ref) const {
    return text_[names_[&ref - refs_.data()]];
  }

 private:
  void Compact();
  // Links the reference at `index` to the end of its name's chain, whose first reference is
  // `first` (its position + 1), or starts a chain with it (`first` 0).
  void Chain(int index, std::uint32_t first);
  // The names at the places of the index: a reference's position + 1.
  auto NameAt() const {
    return [this](std::uint32_t place) { return text_[names_[place - 1]]; };
  }

  // The references to one name are chained from the first to the last: the index gives the
  // first, each reference the next, and the first of a chain its last. A reference's name is
  // its place in text_, shared along a chain; an empty place marks a resolved reference.
  std::vector<ForwardRef> refs_;
  std::vector<NameText::Place> names_;
  NameText text_;
  std::vector<int> nextOfName_;  // per reference: the next one to the same name, or -1
  std::vector<int> lastOfName_;  // per first reference of a name: the last one
  TextIndex firstByName_{2 * kCapacity};
  std::vector<ForwardRef> resolved_;
};

}  // namespace calvern
