// Number reading shared by the compiler's operand readers.
#pragma once

#include <string_view>

namespace calvern {

// Where number reading saturates: a value this large stands for "too large".
inline constexpr long long kLargestNumber = 999999999999999;

// The value of the decimal digits that start the text, or -1 when it does not start with a
// digit. Saturates at 15 nines so that absurd numbers cannot overflow.
long long LeadingDigits(std::string_view text);

// The leading number of a token with an optional sign, as the directives read their numeric
// operands: a token that is not a number gives 0. Saturates at 15 nines either way.
long long LeadingNumber(std::string_view text);

}  // namespace calvern
