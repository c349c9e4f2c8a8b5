#include "compiler/memory_image.h"

#include "compiler/byte_text.h"

namespace calvern {

int MemoryImage::Value(int cell) const {
  switch (kind_[cell]) {
    case CellKind::kUnused:
      return kUnused;
    case CellKind::kUndefined:
      return kUndefined;
    default:
      return byte_[cell];
  }
}

std::string MemoryImage::CodeText(int cell) const {
  const int value = Value(cell);
  if (value == kUnused) return "&";
  if (value == kUndefined) return "??";
  return Hex2(value);
}

}  // namespace calvern
