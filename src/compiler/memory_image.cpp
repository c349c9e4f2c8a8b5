#include "compiler/memory_image.h"

#include "compiler/byte_text.h"

namespace calvern {

const std::string& MemoryImage::NoKeys() {
  static const std::string kNoKeys;
  return kNoKeys;
}

std::string MemoryImage::CodeText(int cell) const {
  const int value = Value(cell);
  if (value == kUnused) return "&";
  if (value == kUndefined) return "??";
  return Hex2(value);
}

}  // namespace calvern
