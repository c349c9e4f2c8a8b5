// How a calculator character code is written inside the quotes of #TEXT in a source. The
// disassembler writes a run of data bytes as a text only where every byte has a spelling here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace calvern {

// The source spelling of the character in UTF-8, or nullopt when #TEXT cannot hold it: codes
// below 32, the double quote (which would end the text), and the codes of no character of the
// calculator's table (7F, the graphic symbols, the check mark). Printable ASCII and the
// Cyrillic letters (80-AF, E0-F1) have one.
std::optional<std::string> TextSpelling(std::uint8_t code);

}  // namespace calvern
