// Number reading shared by the compiler's operand readers.
#pragma once

#include <optional>
#include <string_view>

namespace calvern {

// Where number reading saturates: a value this large stands for "too large".
inline constexpr long long kLargestNumber = 999999999999999;

// The value of the decimal digits that start the text, or -1 when it does not start with a
// digit. Saturates at 15 nines so that absurd numbers cannot overflow.
long long LeadingDigits(std::string_view text);

// The leading number of a token with an optional sign: a token that is not a number gives 0.
// Saturates at 15 nines either way. (The settings file reads its port line this way.)
long long LeadingNumber(std::string_view text);

// A whole token that is an integer: an optional sign and decimal digits, nothing else.
// Saturates at 15 nines either way.
std::optional<long long> WholeNumber(std::string_view text);

// Whether a whole token is a decimal number as #DECIMAL takes it: an optional sign, digits
// with at most one ".", and an optional exponent "E" with an optional sign and digits.
bool IsDecimalNumber(std::string_view text);

}  // namespace calvern
