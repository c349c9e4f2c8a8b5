// The stack of open structures. Each entry says what opened it and what its closing keyword
// needs: a loop's first step, a forward jump's label and width, a SELECT's register and serial
// number, a CASE's operand and skip label.
#pragma once

#include <string>
#include <vector>

namespace calvern {

enum class StructureKind {
  kFor,          // FOR r: `reg` 0-3, `value` the first step of the body
  kDo,           // DO: `value` the first step of the body
  kRepeat,       // REPEAT: `value` the first step of the body
  kWhile,        // WHILE: `label` where its jump leaves the loop
  kIf,           // IF(test)THEN or ELSE: `label` where the false branch (or the end) starts
  kSelect,       // SELECT: `text` the register operand, `value` the serial of its end label
  kCaseOperand,  // CASE: `text` the operand, compared with the next CASE's
  kCaseSkip,     // CASE: `label` where the next CASE's test starts
};

struct StructureEntry {
  StructureKind kind = StructureKind::kDo;
  int value = 0;
  int reg = 0;
  std::string label;
  std::string text;
  bool oneByte = false;    // WHILE, IF: the forward jump has one address byte ("!")
  bool afterElse = false;  // IF: its ELSE came, a second one is an error
  long long ifLine = 0;    // IF: the line of its IF(test)THEN
  int step = 0;            // where the structure opened
  long long line = 0;      // the line of the keyword that opened it
};

class StructureStack {
 public:
  static constexpr int kCapacity = 101;  // entries 0-100

  int Depth() const { return depth_; }
  bool Full() const { return depth_ >= kCapacity; }
  // Pushes an entry; the caller checks Full first.
  void Push(StructureEntry entry) {
    if (static_cast<std::size_t>(depth_) < entries_.size()) {
      entries_[depth_] = std::move(entry);
    } else {
      entries_.push_back(std::move(entry));
    }
    ++depth_;
  }
  // Pops the innermost entry, or nullptr when the stack is empty. The entry stays in its slot,
  // so Restore brings it back unchanged.
  const StructureEntry* Pop() { return depth_ == 0 ? nullptr : &entries_[--depth_]; }
  void Restore() { ++depth_; }
  // The innermost open entry, or nullptr.
  const StructureEntry* Innermost() const { return depth_ == 0 ? nullptr : &entries_[depth_ - 1]; }
  // The open entry `below` places under the innermost one.
  const StructureEntry& Below(int below) const { return entries_[depth_ - 1 - below]; }

 private:
  // Slots 0 to the deepest nesting reached: they grow as structures open, up to kCapacity.
  std::vector<StructureEntry> entries_;
  int depth_ = 0;
};

}  // namespace calvern
