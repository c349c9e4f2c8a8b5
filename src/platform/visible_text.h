// Texts shown as they read: control characters in a file name, a settings line or a reply of
// the calculator are printed as visible escapes, so that they can't retitle, clear or recolour
// the user's terminal.
#pragma once

#include <string>
#include <string_view>

namespace calvern::platform {

// The text with every control character written as an escape: "\t", "\n" and "\r", "\x1b" for
// the other C0 characters and DEL, "\u009b" for the C1 controls written in UTF-8, and "\x9b" for
// a byte 80-9F that belongs to no UTF-8 character. Letters (UTF-8 or 8-bit) stay as they are.
std::string VisibleText(std::string_view text);

}  // namespace calvern::platform
