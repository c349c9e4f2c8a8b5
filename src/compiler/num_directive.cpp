// #NUM and its short forms: the keystrokes that enter a register number, a step number or a
// label's value as digits, so a program can compute with its own addresses.
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

void EmitDigits(Compilation& c, long long value) {
  for (char d : std::to_string(value)) c.Out.EmitKeystroke(DigitCode(d - '0'), std::string(1, d));
}

}  // namespace

Status CompileNumDirective(Compilation& c, int index) {
  // Digits reserved for a label not yet defined; without optimisation always four.
  int reserved = 4;
  if (c.Switches.optimise && index != kDirNum) {
    reserved = index == kDirNum1 ? 1 : index == kDirNum2 ? 2 : 3;
  }
  std::optional<std::string> operand = c.NextOperand();
  if (!operand) return Status::kFailed;
  // A value that begins with a digit is a number, all digits: "#NUM 1+2" is no register 1.
  if (LeadingDigits(*operand) >= 0 && !WholeNumber(*operand)) {
    return c.Fail(kNotAllDigits, *operand);
  }
  // A register operand comes first (#NUM A is 10 even when a label A exists); a failed lookup
  // is no error: the operand is then a label or a number.
  std::optional<RegisterOperand> reg = c.RegisterNumber(*operand, /*quiet=*/true);
  if (reg) {
    if (reg->indirect) return c.Fail(kUnavailableIndirectAddressing, *operand);
    EmitDigits(c, reg->number);
    return Status::kDone;
  }
  // A number is written as it stands, however long (a jump target is kept below 10000).
  long long number = LeadingDigits(*operand);
  if (number >= 0) {
    if (number >= kLargestNumber) return c.Fail(kDataValueOutOfRange, "#NUM " + *operand);
    EmitDigits(c, number);
    return Status::kDone;
  }
  std::optional<AddressOperand> value = c.AddressValue(*operand);
  if (!value) return Status::kFailed;
  if (value->Indirect()) return c.Fail(kUnavailableIndirectAddressing, *operand);
  if (!value->Pending()) {
    EmitDigits(c, value->Address());
    return Status::kDone;
  }
  // Reserve the digits, zeros until the label's definition fills them.
  const int first = c.Out.CurrentStep();
  for (int k = 0; k < reserved; ++k) c.Out.EmitKeystroke(DigitCode(0), "0");
  return c.AwaitLabel(value->name,
                      {.kind = PatchKind::kNumDigits, .cell = first, .digits = reserved});
}

}  // namespace calvern
