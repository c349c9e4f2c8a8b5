#include "compiler/memory_image.h"

#include "compiler/byte_text.h"

namespace calvern {

std::string MemoryImage::CodeText(int cell) const {
  int value = value_[cell];
  if (value == kUnused) return "&";
  if (value == kUndefined) return "??";
  return Hex2(value);
}

bool MemoryImage::IsData(int cell) const { return keys_[cell].starts_with(kDataMark); }

}  // namespace calvern
