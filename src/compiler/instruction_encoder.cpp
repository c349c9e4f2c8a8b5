#include "compiler/instruction_encoder.h"

#include "compiler/compilation.h"

namespace calvern {
namespace {

// Address or register bytes of a long form: hundreds first, then the low two digits, in BCD.
void EmitLongAddress(Compilation& c, int value) {
  c.Out.EmitAddressByte(value / 100);
  c.Out.EmitAddressByte(value % 100);
}

// An indirect jump or register instruction: the register inside the opcode for 0-14, else an
// escape opcode followed by the register as a BCD byte.
Status EmitIndirect(Compilation& c, const KeywordEntry& keyword, int reg) {
  if (reg > 99) return c.Fail(kIndirectRegisterAbove99);
  if (reg <= 14) {
    c.Out.EmitRegisterKey(keyword, KeysPrefix::kK, keyword.indirectDigit, reg);
  } else {
    c.Out.EmitKey(keyword, KeysPrefix::kPK, keyword.indirectDigit * 16 + 0xF);
    c.Out.EmitAddressByte(reg);
  }
  return Status::kDone;
}

// A jump or loop to a direct target. A label not yet defined takes the long form with a
// placeholder address, patched when the label appears.
Status EmitDirectJump(Compilation& c, const KeywordEntry& jump, const AddressOperand& target,
                      const std::string& operand) {
  if (target.Pending()) {
    if (Failed(c.AwaitLabel(target.name,
                            {.kind = PatchKind::kJumpLong, .cell = c.Out.CurrentStep() + 1}))) {
      return Status::kFailed;
    }
    EmitJumpOpcode(c, jump, true);
    EmitLongAddress(c, 0);
    return Status::kDone;
  }
  // Binary-zone labels (10000 and up) and numbers past the program zone are no step at all.
  if (target.value > 9999) return c.Fail(kJumpTargetOutOfRange, operand);
  EmitJumpTo(c, jump, target.value);
  return Status::kDone;
}

}  // namespace

void EmitJumpOpcode(Compilation& c, const KeywordEntry& jump, bool longForm) {
  if (longForm) {
    c.Out.EmitKey(jump, jump.longPrefix, jump.longOpcode);
  } else {
    c.Out.EmitKey(jump, jump.prefix, jump.opcode);
  }
}

void EmitJumpTo(Compilation& c, const KeywordEntry& jump, int target) {
  int shortAddress = c.Out.ShortAddress(target);
  if (shortAddress >= 0) {
    EmitJumpOpcode(c, jump, false);
    c.Out.EmitAddressByte(shortAddress);
  } else {
    EmitJumpOpcode(c, jump, true);
    EmitLongAddress(c, target);
  }
}

Status EmitRegisterInstruction(Compilation& c, const KeywordEntry& instruction,
                               const RegisterOperand& reg) {
  if (reg.indirect) return EmitIndirect(c, instruction, reg.number);
  int r = reg.number;
  if (r <= 14) {
    c.Out.EmitRegisterKey(instruction, KeysPrefix::kNone, instruction.directDigit, r);
  } else if (r <= 99) {
    c.Out.EmitKey(instruction, KeysPrefix::kP, instruction.directDigit * 16 + 0xF);
    c.Out.EmitAddressByte(r);
  } else {
    c.Out.EmitKey(instruction, KeysPrefix::kPP, 0xF0 + instruction.directDigit);
    EmitLongAddress(c, r);
  }
  return Status::kDone;
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
    return EmitIndirect(c, keyword, target->value);
  }
  return EmitDirectJump(c, keyword, *target, *operand);
}

}  // namespace calvern
