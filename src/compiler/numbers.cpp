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

std::optional<long long> WholeNumber(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  return LeadingNumber(text);
}

bool IsDecimalNumber(std::string_view text) {
  std::size_t i = 0;
  auto sign = [&] {
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  };
  auto digits = [&] {
    std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - start;
  };
  sign();
  std::size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < text.size() && text[i] == 'E') {
    ++i;
    sign();
    if (digits() == 0) return false;
  }
  return i == text.size();
}

}  // namespace calvern
