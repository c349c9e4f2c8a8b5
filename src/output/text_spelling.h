// How a calculator character code is written inside the quotes of #TEXT in a source. The
// disassembler writes a run of data bytes as a text only where every byte has a spelling here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace calvern {

// The source spelling of the character, or nullopt when #TEXT cannot hold it: codes below 32
// and the double quote (which would end the text), and codes from 7F on. The Cyrillic letters
// (80-AF, E0-F1) get their spelling here once sources read their texts as UTF-8.
std::optional<std::string> TextSpelling(std::uint8_t code);

}  // namespace calvern
