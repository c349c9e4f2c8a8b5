#include "compiler/structure_stack.h"

namespace calvern {

void StructureStack::Push(std::string tag, int value, int step) {
  tag_[depth_] = std::move(tag);
  value_[depth_] = value;
  step_[depth_] = step;
  ++depth_;
}

int StructureStack::Pop() {
  if (depth_ == 0) return -1;
  --depth_;
  popped_ = tag_[depth_];
  return value_[depth_];
}

}  // namespace calvern
