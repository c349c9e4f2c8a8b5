#include "compiler/memory_image.h"

#include "compiler/byte_text.h"

namespace calvern {

std::string MemoryImage::CodeText(int cell) const {
  const int value = Value(cell);
  if (value == kUnused) return "&";
  if (value == kUndefined) return "??";
  return Hex2(value);
}

}  // namespace calvern
