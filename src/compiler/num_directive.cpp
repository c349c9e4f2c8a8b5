// #NUM and its short forms: the keystrokes that enter a register number, a step number or a
// label's value as digits, so a program can compute with its own addresses.
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

void EmitDigits(Compilation& c, long long value) {
  for (char d : std::to_string(value)) c.EmitCell(std::string("0") + d, std::string(1, d));
}

}  // namespace

int CompileNumDirective(Compilation& c, int index) {
  // Digits reserved for a label not yet defined; without optimisation always four.
  int reserved = 4;
  if (c.OptimFlag != 0 && index != kDirNum)
    reserved = index == kDirNum1 ? 1 : index == kDirNum2 ? 2 : 3;

  std::string operand = c.NextUpperToken();
  if (operand.empty()) return c.Fail(kUnexpectedEndOfFile);
  // A register operand comes first (#NUM A is 10 even when a label A exists); a failed lookup
  // is no error: the operand is then a label or a number.
  std::optional<RegisterOperand> reg = c.RegisterNumber(operand, /*quiet=*/true);
  if (reg) {
    if (reg->indirect) return c.Fail(kUnavailableIndirectAddressing, operand);
    EmitDigits(c, reg->number);
    return 0;
  }
  // A number is written as it stands, however long (a jump target is kept below 10000).
  long long number = LeadingDigits(operand);
  if (number >= 0) {
    if (number >= kLargestNumber) return c.Fail(kDataValueOutOfRange, "#NUM " + operand);
    EmitDigits(c, number);
    return 0;
  }
  std::optional<AddressOperand> value = c.AddressValue(operand);
  if (!value) return 1;
  if (value->indirect) return c.Fail(kUnavailableIndirectAddressing, operand);
  if (c.UnresolvedFlag == 0) {
    int v = value->value;
    if (value->label && v >= MemoryImage::kBinaryStart) {
      v -= MemoryImage::kBinaryOffset;  // a binary-zone label gives its address
    }
    EmitDigits(c, v);
    return 0;
  }
  // Reserve the digits; the last cell carries the marker that the label's definition patches.
  for (int k = 1; k < reserved; ++k) c.EmitCell("00", "0");
  c.EmitCell("NUM" + std::to_string(reserved), "0");
  c.ForwardRefs.SetLastPosition(-c.CurrentStep);
  return 0;
}

}  // namespace calvern
