#include "compiler/numbers.h"

namespace calvern {

long long LeadingDigits(std::string_view text) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return -1;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > kLargestNumber) value = kLargestNumber;
  }
  return value;
}

long long LeadingNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  long long value = LeadingDigits(text);
  if (value < 0) return 0;
  return negative ? -value : value;
}

}  // namespace calvern
