// The program's texts are UTF-8; Windows takes and gives UTF-16. These convert between the two
// at the edge of every Win32 call.
#pragma once

#include <string>
#include <string_view>

namespace calvern::platform {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The last Win32 error as a short text.
std::string LastErrorText();

}  // namespace calvern::platform
