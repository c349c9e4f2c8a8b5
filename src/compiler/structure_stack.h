// The stack of open structures (FOR, DO, REPEAT, WHILE, IF, SELECT, CASE): each entry is a tag
// whose first two letters name its kind, and a value (a loop's first step, a SELECT's serial).
#pragma once

#include <array>
#include <string>

namespace calvern {

class StructureStack {
 public:
  static constexpr int kCapacity = 101;  // entries 0-100

  void Reset() { depth_ = 0; }
  int Depth() const { return depth_; }
  bool Full() const { return depth_ >= kCapacity; }
  // Pushes (tag, value), remembering the step where the structure opened; the caller checks
  // Full first.
  void Push(std::string tag, int value, int step);
  // Pops the innermost entry: its value, or -1 when the stack is empty. The popped tag is
  // kept in PoppedTag, and the entry stays in its slot, so Restore brings it back unchanged.
  int Pop();
  void Restore() { ++depth_; }
  const std::string& PoppedTag() const { return popped_; }
  // Entry i from the bottom (0-based), also a popped one still in its slot.
  const std::string& Tag(int i) const { return tag_[i]; }
  int Value(int i) const { return value_[i]; }
  int Step(int i) const { return step_[i]; }

 private:
  std::array<std::string, kCapacity> tag_;
  std::array<int, kCapacity> value_{};
  std::array<int, kCapacity> step_{};
  int depth_ = 0;
  std::string popped_;
};

}  // namespace calvern
