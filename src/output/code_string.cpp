#include "output/code_string.h"

#include "compiler/byte_text.h"

namespace calvern {
namespace {

// The value of a digit, hexadecimal or as the display shows it; -1 for anything else.
int DigitValue(char c) {
  static constexpr std::string_view kHex = kHexDigits;
  static constexpr std::string_view kDisplay = "0123456789-LCRE ";
  const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  if (std::size_t at = kHex.find(upper); at != std::string_view::npos) return static_cast<int>(at);
  if (std::size_t at = kDisplay.find(upper); at != std::string_view::npos) {
    return static_cast<int>(at);
  }
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether the blanks separate groups of whole pairs.
bool BlanksSeparatePairs(std::string_view text) {
  int group = 0;
  bool any = false;
  for (char c : text) {
    if (IsBlank(c)) {
      if (group % 2 != 0) return false;
      group = 0;
    } else {
      ++group;
      any = true;
    }
  }
  return any && group % 2 == 0;
}

}  // namespace

CodeStringReading ReadCodeString(std::string_view text) {
  CodeStringReading reading;
  const bool separators = BlanksSeparatePairs(text);
  std::vector<int> digits;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (separators && IsBlank(text[i])) continue;
    const int value = text[i] == '\t' ? -1 : DigitValue(text[i]);
    if (value < 0) {
      reading.problem = CodeStringProblem::kCharacter;
      const unsigned char c = static_cast<unsigned char>(text[i]);
      reading.detail =
          (c >= 32 && c < 127 ? "'" + std::string(1, text[i]) + "'" : "byte " + std::to_string(c)) +
          " at position " + std::to_string(i + 1);
      return reading;
    }
    digits.push_back(value);
  }
  if (digits.empty() || digits.size() % 2 != 0 ||
      digits.size() / 2 > static_cast<std::size_t>(kProgramMemory.cells)) {
    reading.problem = CodeStringProblem::kLength;
    reading.detail = std::to_string(digits.size()) + " digits";
    return reading;
  }
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    reading.codes.push_back(static_cast<std::uint8_t>(digits[i] * 16 + digits[i + 1]));
  }
  return reading;
}

MkImage ImageOfCodes(const std::vector<std::uint8_t>& codes) {
  MkImage memory;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    memory.image.Set(kProgramMemory.firstCell + static_cast<int>(k), CellKind::kInstruction,
                     codes[k], "");
  }
  return memory;
}

}  // namespace calvern
