// How bytes are written in the image cells: two hexadecimal digits, or two decimal digits for
// the BCD bytes of addresses and register numbers.
#pragma once

#include <string>

namespace calvern {

// The low eight bits of a value as two upper-case hexadecimal digits.
inline std::string Hex2(int byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(byte >> 4) & 15], kDigits[byte & 15]};
}

// A value 0-99 as two decimal digits (a BCD byte).
inline std::string TwoDigits(int value) {
  return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

}  // namespace calvern
