// The index of the tables that look names up by their text: labels, register names, the names
// that references wait for. The keyword table, made when the program is built, uses its hash.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace calvern {

// Linear probing's removal, shared by the open-addressing tables: with a hole at `hole`, the
// entry at `j` further on (wrapping round) stays where it is when its home slot `home` lies
// after the hole and not after `j`; otherwise it moves up into the hole.
constexpr bool StaysBehindHole(std::size_t hole, std::size_t j, std::size_t home) {
  return hole <= j ? home > hole && home <= j : home > hole || home <= j;
}

// An index from texts to the places (1 to 32767) where their owner keeps them: labels,
// register names, the names that references wait for. Open addressing in one array
// kept at most half full: a lookup hashes the text once and mostly reads one slot, where a
// node-based map walks pointers through memory. The owner keeps the texts; a lookup asks it
// for the text at a place (`textOf(place)`) only when the stored hash matches. Each slot keeps
// the low 16 bits of its text's hash, so growing and removing never need the texts, and is four
// bytes: the indexes hold at most 10 001 names (the registers'), and every page of them counts
// in a short run.
class TextIndex {
 public:
  // `initialSlots`, a power of two, are made at the first Add: an unused index costs nothing.
  explicit TextIndex(std::size_t initialSlots = 1024) : initialSlots_(initialSlots) {}

  // The place of `text`, or 0.
  template <typename TextOf>
  std::uint32_t Find(std::string_view text, const TextOf& textOf) const {
    const std::size_t slot = SlotOf(text, textOf);
    return slot == kNone ? 0 : slots_[slot].place;
  }
  // Gives `text`, which is in the index, another place.
  template <typename TextOf>
  void Move(std::string_view text, const TextOf& textOf, std::uint32_t place) {
    slots_[SlotOf(text, textOf)].place = static_cast<std::uint16_t>(place);
  }
  // Records `place` (not 0) for `text`, which the caller has found missing.
  void Add(std::string_view text, std::uint32_t place) {
    if (2 * (count_ + 1) > slots_.size()) Grow();
    Put({static_cast<std::uint16_t>(Hash(text)), static_cast<std::uint16_t>(place)});
    ++count_;
  }
  // Takes `text`, which is in the index, out. The entries after it move back, so that every
  // entry stays reachable from its first slot without marks left behind.
  template <typename TextOf>
  void Remove(std::string_view text, const TextOf& textOf) {
    std::size_t hole = SlotOf(text, textOf);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t j = (hole + 1) & mask; slots_[j].place != 0; j = (j + 1) & mask) {
      if (StaysBehindHole(hole, j, slots_[j].hash & mask)) continue;
      slots_[hole] = slots_[j];
      hole = j;
    }
    slots_[hole] = {};
    --count_;
  }
  void Clear() {
    std::fill(slots_.begin(), slots_.end(), Slot{});
    count_ = 0;
  }

 private:
  // The bytes at `at` as a little-endian word: one load where the program runs on a
  // little-endian machine, byte by byte where the compiler works it out or the machine is not.
  template <typename Word>
  static constexpr Word Load(const char* at) {
    if (std::is_constant_evaluated() || std::endian::native != std::endian::little) {
      Word word = 0;
      for (std::size_t i = sizeof(Word); i-- > 0;) {
        word = static_cast<Word>(word << 8 | static_cast<unsigned char>(at[i]));
      }
      return word;
    }
    Word word;
    std::memcpy(&word, at, sizeof(Word));
    return word;
  }

 public:
  // The hash of a text: eight bytes at a time (names are mostly longer than a few letters), the
  // last one to seven in one or two loads, then mixed so that the low bits, which choose the
  // slot, depend on every byte. The length is mixed in first, so overlapping loads of the rest
  // tell texts apart. The last bytes go lowest: names that differ only in their ends ("LABEL12",
  // "LABEL13") are many, and the low bits of a product depend only on the low bits of what was
  // multiplied. The same when the program is built (the keyword table's index is made then) as
  // when it runs.
  static constexpr std::uint32_t Hash(std::string_view text) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ text.size();
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
      hash = (hash ^ Load<std::uint64_t>(text.data() + at)) * 0xFF51AFD7ED558CCDull;
      hash ^= hash >> 32;
    }
    const char* const tail = text.data() + at;
    const std::size_t left = text.size() - at;
    std::uint64_t rest = 0;
    if (left >= 4) {
      rest = std::uint64_t{Load<std::uint32_t>(tail)} << 32 | Load<std::uint32_t>(tail + left - 4);
    } else if (left > 0) {
      const auto byte = [tail](std::size_t i) {
        return std::uint64_t{static_cast<unsigned char>(tail[i])};
      };
      rest = byte(0) << 16 | byte(left / 2) << 8 | byte(left - 1);
    }
    hash = (hash ^ rest) * 0xBF58476D1CE4E5B9ull;
    return static_cast<std::uint32_t>(hash ^ (hash >> 31));
  }

 private:
  // A table of at most 65 536 slots (half full at most, for places up to 32767) finds a home
  // slot in the low 16 bits of a hash.
  struct Slot {
    std::uint16_t hash = 0;
    std::uint16_t place = 0;  // 0: free
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  template <typename TextOf>
  std::size_t SlotOf(std::string_view text, const TextOf& textOf) const {
    if (slots_.empty()) return kNone;
    const auto hash = static_cast<std::uint16_t>(Hash(text));
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.place == 0) return kNone;
      if (slot.hash == hash && textOf(slot.place) == text) return i;
    }
  }
  void Put(Slot entry) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = entry.hash & mask;
    while (slots_[i].place != 0) i = (i + 1) & mask;
    slots_[i] = entry;
  }
  void Grow() {
    std::vector<Slot> old = std::exchange(slots_, {});
    slots_.resize(old.empty() ? initialSlots_ : 2 * old.size());
    for (const Slot& entry : old) {
      if (entry.place != 0) Put(entry);
    }
  }

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
  std::size_t initialSlots_;
};

}  // namespace calvern
