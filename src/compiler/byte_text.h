// How bytes are written in the image cells: two hexadecimal digits, or two decimal digits for
// the BCD bytes of addresses and register numbers.
#pragma once

#include <string>

namespace calvern {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// The low eight bits of a value as two upper-case hexadecimal digits.
inline std::string Hex2(int byte) { return {kHexDigits[(byte >> 4) & 15], kHexDigits[byte & 15]}; }

// A value 0-99 as two decimal digits (a BCD byte).
inline std::string TwoDigits(int value) {
  return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

// A number as at least four decimal digits with zeros in front ("0042", "-005"), as steps and
// registers are numbered in the listing and the disassembler's labels.
inline std::string FourDigits(int n) {
  if (n < 0 || n > 9999) {
    std::string digits = std::to_string(n < 0 ? -static_cast<long long>(n) : n);
    const std::size_t width = n < 0 ? 3 : 4;
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return n < 0 ? "-" + digits : digits;
  }
  return {static_cast<char>('0' + n / 1000), static_cast<char>('0' + n / 100 % 10),
          static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

}  // namespace calvern
