// Bytes in hexadecimal, as the simulated calculator logs the frames it receives.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace calvern_test {

inline std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  char digits[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(digits, sizeof digits, i ? " %02X" : "%02X", bytes[i]);
    text += digits;
  }
  return text;
}

}  // namespace calvern_test
