#include "output/text_spelling.h"

namespace calvern {

std::optional<std::string> TextSpelling(std::uint8_t code) {
  if (code >= 0x20 && code < 0x7F && code != '"') return std::string(1, static_cast<char>(code));
  return std::nullopt;
}

}  // namespace calvern
