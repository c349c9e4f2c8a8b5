#include "compiler/decimal_value.h"

#include <string>

namespace calvern {

std::optional<DecimalImage> DecimalRegisterImage(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';

  // Significant digits with the power of ten of the first one.
  std::string digits;
  long long firstPower = 0;  // power of ten of the first significant digit
  long long integerDigits = 0;
  bool seenPoint = false;
  bool seenDigit = false;
  long long leadingFractionZeros = 0;
  for (; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '.' && !seenPoint) {
      seenPoint = true;
    } else if (ch >= '0' && ch <= '9') {
      seenDigit = true;
      if (digits.empty() && ch == '0') {
        if (seenPoint) ++leadingFractionZeros;
        continue;
      }
      if (!seenPoint) ++integerDigits;
      digits.push_back(ch);
    } else {
      break;
    }
  }
  long long exponentPart = 0;
  if (seenDigit && i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) negativeExponent = text[j++] == '-';
    for (; j < text.size() && text[j] >= '0' && text[j] <= '9'; ++j) {
      if (exponentPart < 100000) exponentPart = exponentPart * 10 + (text[j] - '0');
    }
    if (negativeExponent) exponentPart = -exponentPart;
  }

  DecimalImage image;
  if (digits.empty()) return image;  // zero: all digits 0, exponent 0, positive
  firstPower = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
  long long exponent = firstPower + exponentPart;
  if (exponent < -99 || exponent > 99) return std::nullopt;

  digits.resize(12, '0');  // further digits are dropped, missing ones are zeros
  image.bytes[0] = negative ? 0x80 : 0x00;
  for (int k = 0; k < 6; ++k) {
    image.bytes[1 + k] = (digits[2 * k] - '0') * 16 + (digits[2 * k + 1] - '0');
  }
  image.exponent = static_cast<int>(exponent);
  image.bytes[7] = image.exponent & 0xFF;
  return image;
}

}  // namespace calvern
