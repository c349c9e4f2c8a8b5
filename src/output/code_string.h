// A program given as a string of codes, as programs are quoted in forums and as slave command 8
// receives them: pairs of hexadecimal digits ("52 53 05", blanks between the pairs optional),
// or the digits the calculator's display shows, where "-", "L", "C", "R", "E" and the blank
// stand for 10 to 15 ("0123456789-LCRE "). A pair of digits is one step.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "output/mk_file_reader.h"

namespace calvern {

enum class CodeStringProblem {
  kNone,
  kLength,     // no digit, an odd number of digits, or more codes than the program zone holds
  kCharacter,  // a character that is no digit of either kind
};

struct CodeStringReading {
  std::vector<std::uint8_t> codes;
  CodeStringProblem problem = CodeStringProblem::kNone;
  std::string detail;  // what was wrong: "3 digits", "'X' at position 5"
};

// Blanks separate the pairs when every group between them has an even number of digits ("52
// 53 05", "5253 05"); otherwise each blank is the display digit for 15 ("5 " is 5F).
CodeStringReading ReadCodeString(std::string_view text);

// The codes as program steps from 0000 on, each an instruction cell.
MkImage ImageOfCodes(const std::vector<std::uint8_t>& codes);

}  // namespace calvern
