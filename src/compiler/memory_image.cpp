#include "compiler/memory_image.h"

#include "compiler/byte_text.h"

namespace calvern {

std::string MemoryImage::CodeText(int cell) const {
  const int value = Value(cell);
  if (value == kUnused) return "&";
  if (value == kUndefined) return "??";
  return Hex2(value);
}

MemoryImage::KeysPlace MemoryImage::StoreAnyKeys(std::string_view keys) {
  if (keys.empty()) return 0;
  // Keys read from this image's own text would move if the text grew under them.
  if (keys.data() >= keyText_.data() && keys.data() < keyText_.data() + keyText_.size()) {
    return StoreAnyKeys(std::string(keys));
  }
  // Place 0 stands for no keys, so the text starts with a byte no keys use.
  if (keyText_.empty()) keyText_.push_back('\0');
  // Offsets fit four bytes: a source holds at most 64 MiB, and no statement's keys are more
  // than a few times as long as its text, rewrites included.
  const auto place = static_cast<KeysPlace>(keyText_.size());
  if (keys.size() < kLongKeys) {
    keyText_.push_back(static_cast<char>(keys.size()));
  } else {
    const auto length = static_cast<std::uint32_t>(keys.size());
    keyText_.push_back(static_cast<char>(kLongKeys));
    keyText_.append(reinterpret_cast<const char*>(&length), sizeof length);
  }
  keyText_.append(keys);
  return place;
}

}  // namespace calvern
