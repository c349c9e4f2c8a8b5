// The indexes of the tables that look names up by their text: keywords, labels, register names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

// An index from texts to the places (1 to 2^32 - 1) where their owner keeps them, for tables
// that only grow and hold at most half as many texts as the index has slots: keywords, labels.
// Open addressing in one array: a lookup hashes the text once and mostly reads one slot, where
// a node-based map walks pointers through memory. The owner keeps the texts; a lookup asks it
// for the text at a place only when the stored hash matches.
template <std::size_t kSlots>
class TextSlots {
  static_assert((kSlots & (kSlots - 1)) == 0, "a power of two: slots are found by a mask");

 public:
  // The place of `text`, or 0. `textOf(place)` gives the text the owner keeps at a place.
  template <typename TextOf>
  std::uint32_t Find(std::string_view text, const TextOf& textOf) const {
    if (slots_.empty()) return 0;
    const std::uint32_t hash = Hash(text);
    for (std::size_t i = hash & (kSlots - 1);; i = (i + 1) & (kSlots - 1)) {
      const Slot& slot = slots_[i];
      if (slot.place == 0) return 0;
      if (slot.hash == hash && textOf(slot.place) == text) return slot.place;
    }
  }
  // Records `place` (not 0) for `text`, which the caller has found missing. The caller keeps
  // the count of texts at most kSlots / 2.
  void Add(std::string_view text, std::uint32_t place) {
    if (slots_.empty()) slots_.resize(kSlots);  // at the first text: an unused index costs nothing
    const std::uint32_t hash = Hash(text);
    std::size_t i = hash & (kSlots - 1);
    while (slots_[i].place != 0) i = (i + 1) & (kSlots - 1);
    slots_[i] = {hash, place};
  }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t place = 0;  // 0: free
  };
  // FNV-1a, with its upper bits folded down: the slot comes from the low bits.
  static std::uint32_t Hash(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash ^ (hash >> 15);
  }

  std::vector<Slot> slots_;
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
