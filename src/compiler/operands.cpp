// Register and address operands: how a token written after an instruction becomes a register
// number or a target address.
#include <algorithm>

#include "compiler/compilation.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

constexpr std::string_view kRegisterDigits = "0123456789ABCDEF";

}  // namespace

std::optional<RegisterOperand> Compilation::RegisterNumber(const std::string& token, bool quiet) {
  auto fail = [&](int message) -> std::optional<RegisterOperand> {
    if (!quiet) Fail(message, token);
    return std::nullopt;
  };
  std::string text = token;
  bool indirect = false;
  if (!text.empty() && text[0] == '(') {
    if (text.back() != ')' || text.size() < 2) return fail(kMissingParenthesisIn);
    text = text.substr(1, text.size() - 2);
    indirect = true;
    if (text.empty()) return fail(kUnknownRegister);
  }
  if (text.size() == 1) {
    std::size_t digit = kRegisterDigits.find(text[0]);
    if (digit != std::string_view::npos) return RegisterOperand{static_cast<int>(digit), indirect};
  } else {
    // Leading digits make a register number 1-9999 ("015" is 15); "00" is looked up as a name.
    long long number = LeadingDigits(text);
    if (number >= 1 && number <= 9999) return RegisterOperand{static_cast<int>(number), indirect};
  }
  int named = RegisterNames.Find(text);
  if (named < 0) return fail(kUnknownRegister);
  RegisterNames.MarkReferenced(named);
  NamedRegisterUsed = true;
  return RegisterOperand{named, indirect};
}

std::optional<AddressOperand> Compilation::AddressValue(const std::string& token) {
  UnresolvedFlag = 0;
  if (!token.empty() && token[0] == '(') {
    std::optional<RegisterOperand> reg = RegisterNumber(token);
    if (!reg) return std::nullopt;
    return AddressOperand{reg->number, true};
  }
  long long number = LeadingDigits(token);
  // Anything past the program zone is out of range for every user; keep it representable.
  if (number >= 0) return AddressOperand{static_cast<int>(std::min(number, 999999LL)), false};
  int label = Labels.Find(token);
  if (label >= 0) return AddressOperand{Labels[label].value, false, true};
  // Not defined yet: the jump is written in its long form, whose first address byte follows the
  // opcode, and patched when the label appears.
  if (!ForwardRefs.Add(token, CurrentStep + 1)) {
    Fail(kReferenceTableFull, token);
    return std::nullopt;
  }
  UnresolvedFlag = -1;
  return AddressOperand{0, false};
}

}  // namespace calvern
