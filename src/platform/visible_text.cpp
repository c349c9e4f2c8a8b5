#include "platform/visible_text.h"

namespace calvern::platform {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

std::string Hex(unsigned char c) { return {kHexDigits[c >> 4], kHexDigits[c & 0x0F]}; }

// The length of the UTF-8 character that begins at `at`, or 0 when none begins there.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

std::string VisibleText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    if (c < 0x20 || c == 0x7F) {
      shown += c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\x" + Hex(c);
      ++at;
    } else if (c < 0x80) {
      shown += text[at++];
    } else if (std::size_t length = Utf8Length(text, at); length > 0) {
      const unsigned char second = static_cast<unsigned char>(text[at + 1]);
      if (c == 0xC2 && second <= 0x9F) {
        shown += "\\u00" + Hex(second);  // U+0080 to U+009F: the C1 controls
      } else {
        shown.append(text.substr(at, length));
      }
      at += length;
    } else {
      // A byte outside UTF-8: an 8-bit letter stays, a C1 control of an 8-bit terminal goes.
      shown += c <= 0x9F ? "\\x" + Hex(c) : std::string(1, text[at]);
      ++at;
    }
  }
  return shown;
}

}  // namespace calvern::platform
