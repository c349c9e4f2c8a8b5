// The hash of the tables that look names up by their text: keywords, labels, register names.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>

namespace calvern {

// Transparent, so that a string_view finds a string key without a copy. Deliberately not
// noexcept: the standard library then keeps each key's hash beside it, so a lookup compares
// hashes before texts and never hashes the keys it walks past again.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

// A map from names to values whose entries come from a memory block of its own rather than
// from one allocation each: the compiler's name tables add hundreds of names and give them all
// back at once when the table goes. An entry erased leaves its memory unused until then. Held
// through a pointer by the tables, so that they move whole.
template <typename Value>
struct NameIndex {
  std::pmr::monotonic_buffer_resource memory{32 * 1024};
  using Map = std::pmr::unordered_map<std::string, Value, TextHash, std::equal_to<>>;
  Map map{&memory};
};

// A copy of an index with the same entries in memory of its own (an empty index for none), for
// the tables that are copied whole.
template <typename Value>
std::unique_ptr<NameIndex<Value>> CopyOf(const std::unique_ptr<NameIndex<Value>>& index) {
  auto copy = std::make_unique<NameIndex<Value>>();
  if (!index) return copy;
  copy->map.reserve(index->map.size());
  for (const auto& [name, value] : index->map) copy->map.emplace(name, value);
  return copy;
}

}  // namespace calvern
