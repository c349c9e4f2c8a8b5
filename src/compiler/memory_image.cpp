#include "compiler/memory_image.h"

namespace calvern {

void MemoryImage::Reset() {
  Code.assign(kCellCount, kUnused);
  ListingText.assign(kCellCount, std::string());
}

int MemoryImage::ByteValue(int cell) const {
  const std::string& code = Code[cell];
  if (code.size() != 2) return -1;
  int value = 0;
  for (char c : code) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else
      return -1;
    value = value * 16 + digit;
  }
  return value;
}

bool MemoryImage::IsData(int cell) const { return ListingText[cell].starts_with(kDataMark); }

}  // namespace calvern
