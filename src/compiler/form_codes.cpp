// The instruction codes of form programs (#TAB .. #END): the calculator's form engine reads
// them from the program zone, so each is an opcode byte followed by its operand bytes, written
// at the step counter whatever zone is current.
#include <string>

#include "compiler/compilation.h"
#include "compiler/form_directives.h"

namespace calvern {
namespace {

// "V": one byte, written as its value.
Status EmitValueOperand(Compilation& c, std::string_view name, const std::string& operand) {
  std::optional<long long> value = c.ValueOf(operand, name);
  if (!value) return Status::kFailed;
  if (*value < 0 || *value > 255)
    return c.Fail(kDataValueOutOfRange, std::string(name) + " " + operand);
  c.Out.EmitData(static_cast<int>(*value), "byte");
  return Status::kDone;
}

// "R": a register as two BCD bytes, hundreds first.
Status EmitRegisterOperand(Compilation& c, const std::string& operand) {
  std::optional<RegisterOperand> reg = c.RegisterNumber(operand);
  if (!reg) return Status::kFailed;
  if (reg->indirect) return c.Fail(kUnavailableIndirectAddressing, operand);
  // Hundreds first, as a long register instruction holds its register.
  const OperandBytes bytes = EncodeOperand(OperandKind::kAddressPair, reg->number);
  c.Out.EmitData(bytes.bytes[0], "RH(" + std::to_string(reg->number) + ")", CellKind::kAddressPart);
  c.Out.EmitData(bytes.bytes[1], "RL", CellKind::kAddressPart);
  return Status::kDone;
}

// "O": one byte, the distance of the target from the start of the form being defined; "A": the
// target's address as two BCD bytes. A label not defined yet leaves the bytes to its definition.
Status EmitTargetOperand(Compilation& c, std::string_view name, const std::string& operand,
                         bool offset) {
  // An offset counts from a form's header: outside a form it means nothing.
  if (offset && c.FormProgramBase < 0) {
    return c.Fail({.message = kWithout, .lead = std::string(name), .detail = "#DefineForm"});
  }
  std::optional<AddressOperand> target = c.AddressValue(operand);
  if (!target) return Status::kFailed;
  // The form engine takes no register here: a register's number would be a wrong address.
  if (target->Indirect()) return c.Fail(kUnavailableIndirectAddressing, operand);
  if (!offset && !target->Pending() && target->Address() >= kProgramMemory.EndCell()) {
    return c.Fail(kDataValueOutOfRange, std::string(name) + " " + operand);
  }
  const ForwardRef ref{
      .kind = offset ? PatchKind::kFormOffset : PatchKind::kAddressFull,
      .cell = c.Out.Reserve(offset ? 1 : 2, offset ? CellKind::kOffset : CellKind::kAddressPart),
      .base = c.FormProgramBase};
  if (target->Pending()) return c.AwaitLabel(target->name, ref);
  return c.FillReference(ref, operand, target->Address(), false, false);
}

}  // namespace

Status CompileFormCode(Compilation& c, const KeywordEntry& directive) {
  const std::string_view name = directive.Keyword();
  // No data bracket: form programs always live in the program zone.
  c.Out.EmitData(directive.opcode, name.substr(1));
  for (char kind : directive.Signature()) {
    std::optional<std::string> operand = c.NextOperand(kUnexpectedEndOfFileIn, name);
    if (!operand) return Status::kFailed;
    Status status = kind == 'V'   ? EmitValueOperand(c, name, *operand)
                    : kind == 'R' ? EmitRegisterOperand(c, *operand)
                                  : EmitTargetOperand(c, name, *operand, kind == 'O');
    if (Failed(status)) return status;
  }
  return c.Stopped() ? Status::kFailed : Status::kDone;  // the program zone ran full
}

}  // namespace calvern
