#include "compiler/byte_text.h"
#include "compiler/compilation.h"

namespace calvern {
namespace {

const char* KeysPrefix(int selector) {
  switch (selector) {
    case kPrefixF:
      return "F ";
    case kPrefixK:
      return "K ";
    case kPrefixPK:
      return "PK ";
    case kPrefixPP:
      return "PP ";
    case kPrefixPF:
      return "PF ";
    case kPrefixP:
      return "P ";
    default:
      return "";
  }
}

// Listing text of a character byte in a text: its name or the character in quotes.
std::string CharKeys(int code) {
  if (code == 0) return std::string(kDataMark) + "nul";
  if (code == 10) return std::string(kDataMark) + "newline";
  return std::string(kDataMark) + "\"" + static_cast<char>(code) + "\"";
}

}  // namespace

void Compilation::EmitStep(int what, int prefixSelector, int registerDigit,
                           std::string_view codeText) {
  std::string code;
  std::string keys;
  if (what >= 1) {
    std::string reg;
    if (registerDigit != -1) reg = std::string(1, "0123456789abcdef"[registerDigit & 15]);
    keys = KeysPrefix(prefixSelector) + Keywords.Keyword(what) + " " + reg;
    code = codeText.empty() ? Keywords.Code(what) : UpperCase(std::string(codeText) + reg);
  } else if (prefixSelector == kCharByte) {
    code = Hex2(-what);
    keys = CharKeys(-what);
  } else if (prefixSelector == kRawByte) {
    code = Hex2(-what);
    keys = std::string(kDataMark) + "byte";
  } else {
    // An address or register byte: two decimal digits (BCD), keyed digit by digit.
    int value = -what;
    code = TwoDigits(value);
    keys = std::string(1, code[0]) + " " + code[1];
  }
  EmitCell(std::move(code), std::move(keys));
}

void Compilation::EmitCell(std::string code, std::string keys) {
  if (CurrentStep >= StepLimit || CurrentStep < ZoneStart) {
    if (!ZoneOverflow) {
      ZoneOverflow =
          StepLimit == MemoryImage::kProgramCells ? kStepCounterPast9999 : kBinaryZoneFull;
    }
    return;
  }
  Image.Code[CurrentStep] = std::move(code);
  Image.ListingText[CurrentStep] = std::move(keys);
  ++CurrentStep;
}

int Compilation::ShortAddress(int target) const {
  if (CurrentStep % 100 != 99 && CurrentStep / 100 == target / 100) return target % 100;
  return -1;
}

std::string AddressDigits(int address) {
  std::string low = TwoDigits(address % 100);
  std::string high = TwoDigits(address / 100);
  return low + high + high[0] + " " + high[1] + low[0] + " " + low[1];
}

}  // namespace calvern
