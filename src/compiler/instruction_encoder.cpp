#include "compiler/instruction_encoder.h"

#include "compiler/compilation.h"

namespace calvern {
namespace {

const InstructionForm& FormOf(const KeywordEntry& keyword, OperandKind kind) {
  return *InstructionTable::BuiltIn().Form(keyword.EnteredInstruction()->operation, kind);
}

// A register operand, direct or indirect, in the form its number needs: in the opcode for 0-14,
// an escape opcode and one byte for 15-99, the long form and two bytes for larger direct ones.
Status EmitRegisterOperand(Compilation& c, const KeywordEntry& keyword, int reg, bool indirect) {
  const OperandKind kind = RegisterForm(reg, indirect);
  if (kind == OperandKind::kNone) return c.Fail(kIndirectRegisterAbove99);
  c.Out.EmitInstruction(keyword, FormOf(keyword, kind), reg);
  return Status::kDone;
}

// A jump or loop to a direct target. A label not yet defined takes the long form with a
// placeholder address (the one-byte form when ".S" asks for it), patched when the label
// appears.
Status EmitDirectJump(Compilation& c, const KeywordEntry& jump, const AddressOperand& target,
                      const std::string& operand) {
  const AddressForm form = c.Prefixes.addressForm;
  const int step = c.Out.CurrentStep();
  if (target.Pending()) {
    const bool oneByte = form == AddressForm::kOneByte;
    EmitJump(c, jump, oneByte ? OperandKind::kAddressByte : OperandKind::kAddressPair, 0);
    return c.AwaitLabel(target.name,
                        {.kind = oneByte ? PatchKind::kJumpOneByte : PatchKind::kJumpLong,
                         .cell = step + 1,
                         .outOfBlock = kOneByteFormOutOfBlock});
  }
  // Binary-zone labels (10000 and up) and numbers past the program zone are no step at all.
  if (target.value >= kProgramMemory.EndCell()) return c.Fail(kJumpTargetOutOfRange, operand);
  switch (form) {
    case AddressForm::kChosen:
      EmitJumpTo(c, jump, target.value);
      break;
    case AddressForm::kOneByte:
      if (!OneByteAddress(step, target.value)) {
        return c.Fail(kOneByteFormOutOfBlock, std::to_string(step));
      }
      EmitJump(c, jump, OperandKind::kAddressByte, target.value);
      break;
    case AddressForm::kTwoBytes:
      EmitJump(c, jump, OperandKind::kAddressPair, target.value);
      break;
  }
  return Status::kDone;
}

}  // namespace

void EmitKey(Compilation& c, const KeywordEntry& key) {
  c.Out.EmitInstruction(key, FormOf(key, OperandKind::kNone), 0);
}

void EmitJump(Compilation& c, const KeywordEntry& jump, OperandKind form, int target) {
  c.Out.EmitInstruction(jump, FormOf(jump, form), target);
}

void EmitJumpTo(Compilation& c, const KeywordEntry& jump, int target) {
  const bool oneByte = OneByteAddress(c.Out.CurrentStep(), target).has_value();
  EmitJump(c, jump, oneByte ? OperandKind::kAddressByte : OperandKind::kAddressPair, target);
}

Status EmitRegisterInstruction(Compilation& c, const KeywordEntry& instruction,
                               const RegisterOperand& reg) {
  return EmitRegisterOperand(c, instruction, reg.number, reg.indirect);
}

Status CompileInstruction(Compilation& c, const KeywordEntry& keyword, const std::string& token) {
  std::optional<std::string> operand = c.NextOperand();
  if (!operand) return Status::kFailed;
  return CompileInstruction(c, keyword, token, *operand);
}

Status CompileInstruction(Compilation& c, const KeywordEntry& keyword, const std::string& token,
                          const std::string& operandToken) {
  const std::string* operand = &operandToken;
  if (keyword.group == kGroupRegister) {
    std::optional<RegisterOperand> reg = c.RegisterNumber(*operand);
    if (!reg) return Status::kFailed;
    return EmitRegisterInstruction(c, keyword, *reg);
  }
  std::optional<AddressOperand> target = c.AddressValue(*operand);
  if (!target) return Status::kFailed;
  if (target->Pending()) c.NoteJumpOperand(token, *operand);
  if (target->Indirect()) {
    // Loops count a register of their own: they have no indirect form.
    if (keyword.group == kGroupLoop) {
      return c.Fail(kUnavailableIndirectAddressing, token + " " + *operand);
    }
    if (c.Prefixes.addressForm != AddressForm::kChosen) {
      return c.Fail(kAddressFormOfIndirectJump, token + " " + *operand);
    }
    return EmitRegisterOperand(c, keyword, target->value, true);
  }
  return EmitDirectJump(c, keyword, *target, *operand);
}

}  // namespace calvern
