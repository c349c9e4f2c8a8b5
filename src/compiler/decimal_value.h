// The calculator's decimal register format: a sign byte, twelve BCD mantissa digits in six
// bytes and a two's-complement exponent byte. Converted from the decimal text directly, so that
// 0.3 is 3 0 0 ... exactly and never 2 9 9 ... as a binary float would give.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace calvern {

struct DecimalImage {
  std::array<int, 8> bytes{};
  int exponent = 0;
};

// The register image of the number that starts the text ("-25", "3.14", "1E-5", ".5");
// a text that is not a number gives zero. nullopt when the exponent falls outside -99..99.
std::optional<DecimalImage> DecimalRegisterImage(std::string_view text);

}  // namespace calvern
