// The hash of the tables that look names up by their text: keywords, labels, register names.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

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

}  // namespace calvern
