// Register and address operands: how a token written after an instruction becomes a register
// number or a target address.
#include <algorithm>

#include "compiler/compilation.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

constexpr std::string_view kRegisterDigits = "0123456789ABCDEF";

// The register a text names by its own characters: one register digit 0-F, or leading digits
// making 1-9999 ("015" is 15); -1 when it must be looked up as a name ("00" is a name).
int RegisterDigits(const std::string& text) {
  if (text.size() == 1) {
    std::size_t digit = kRegisterDigits.find(text[0]);
    return digit == std::string_view::npos ? -1 : static_cast<int>(digit);
  }
  long long number = LeadingDigits(text);
  return number >= 1 && number <= 9999 ? static_cast<int>(number) : -1;
}

}  // namespace

bool ReadsAsRegisterNumber(const std::string& name) {
  return name.starts_with("(") || RegisterDigits(name) >= 0;
}

std::optional<RegisterOperand> Compilation::RegisterNumber(const std::string& token, bool quiet) {
  auto fail = [&](MessageId message) -> std::optional<RegisterOperand> {
    if (!quiet) (void)Fail(message, token);
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
  if (int number = RegisterDigits(text); number >= 0) return RegisterOperand{number, indirect};
  int named = Names.registerNames.Find(text);
  if (named < 0) return fail(kUnknownRegister);
  Names.registerNames.MarkReferenced(named);
  Names.namedRegisterUsed = true;
  return RegisterOperand{named, indirect};
}

std::optional<AddressOperand> Compilation::AddressValue(const std::string& token) {
  using Kind = AddressOperand::Kind;
  if (!token.empty() && token[0] == '(') {
    std::optional<RegisterOperand> reg = RegisterNumber(token);
    if (!reg) return std::nullopt;
    return AddressOperand{Kind::kIndirect, reg->number};
  }
  // No label begins with a digit or "$": such a token is a number, or no address at all (a
  // "GOTO 12abc" must not jump to 12, nor "L0 $5" wait for a label "$5").
  if (!token.empty() && token[0] == '$') {
    (void)Fail(kDollarNumberAsAddress, token);
    return std::nullopt;
  }
  long long number = LeadingDigits(token);
  if (number >= 0 && !WholeNumber(token)) {
    (void)Fail(kNotAllDigits, token);
    return std::nullopt;
  }
  // Anything past the program zone is out of range for every user; keep it representable.
  if (number >= 0)
    return AddressOperand{Kind::kNumber, static_cast<int>(std::min(number, 999999LL))};
  int label = Names.labels.Find(token);
  if (label >= 0) return AddressOperand{Kind::kLabel, Names.labels[label].value};
  return AddressOperand{Kind::kPending, 0, token};
}

void Compilation::NoteJumpOperand(const std::string& instruction, const std::string& operand) {
  if (Keywords.Find(operand) == 0 && CurrentLine() == StatementLine()) return;
  missingLabels_.try_emplace(operand, Diagnostic{.message = kLabelMissingAfter,
                                                 .detail = instruction,
                                                 .line = StatementLine(),
                                                 .column = StatementColumn()});
}

Status Compilation::AwaitLabel(const std::string& name, ForwardRef patch) {
  patch.line = CurrentLine();
  patch.serial = ++referenceSerial_;
  Out.MarkAwaiting(patch.cell, CellsFilled(patch), patch.serial);
  if (!Names.references.Add(patch, name)) return Fail(kReferenceTableFull, name);
  return Status::kDone;
}

}  // namespace calvern
