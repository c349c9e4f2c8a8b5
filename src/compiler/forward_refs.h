// Jumps and data items that name a label not yet defined. Each reference says what its
// label's definition patches, and where.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tables/message_table.h"
#include "tables/text_hash.h"

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

struct ForwardRef {
  std::string name;  // empty once resolved
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

  ForwardRefTable() { StartEmpty(); }
  // Records a reference; false when 512 references are already pending.
  [[nodiscard]] bool Add(ForwardRef ref);
  // Marks every pending reference to name resolved and gives them in recording order. The
  // list is the table's own: it holds until the next call.
  const std::vector<ForwardRef>& Resolve(const std::string& name);
  // The earliest recorded reference still pending for which `counts` holds, or nullptr.
  const ForwardRef* FirstPending(const std::function<bool(const ForwardRef&)>& counts) const;

 private:
  // The references to one name, chained through nextOfName_ from first to last.
  struct Chain {
    int first;
    int last;
  };

  void Compact();
  // An empty table with room for the most references it holds, so that recording never moves
  // them; the index is new, which bounds the memory that resolved names left in the old one.
  void StartEmpty();
  // Appends a reference to the table and to its name's chain.
  void Append(ForwardRef ref);

  std::vector<ForwardRef> refs_;
  std::vector<int> nextOfName_;  // per reference: the next one to the same name, or -1
  std::unique_ptr<NameIndex<Chain>> byName_;
  std::vector<ForwardRef> resolved_;
};

}  // namespace calvern
