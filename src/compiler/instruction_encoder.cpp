#include "compiler/instruction_encoder.h"

#include "compiler/compilation.h"

namespace calvern {
namespace {

// Address or register bytes of a long form: hundreds first, then the low two digits, in BCD.
void EmitLongAddress(Compilation& c, int value) {
  c.EmitStep(-(value / 100), kNoPrefix, -1, "");
  c.EmitStep(-(value % 100), kNoPrefix, -1, "");
}

// An indirect jump or register instruction: the register inside the opcode for 0-14, else an
// escape opcode followed by the register as a BCD byte.
int EmitIndirect(Compilation& c, int index, int reg, char highDigit) {
  if (reg > 99) return c.Fail(kIndirectRegisterAbove99);
  if (reg <= 14) {
    c.EmitStep(index, kPrefixK, reg, std::string(1, highDigit));
  } else {
    c.EmitStep(index, kPrefixPK, -1, std::string(1, highDigit) + "F");
    c.EmitStep(-reg, kNoPrefix, -1, "");
  }
  return 0;
}

// A jump or loop to a direct target. A label not yet defined takes the long form with a
// placeholder address, patched when the label appears.
int EmitDirectJump(Compilation& c, int index, const AddressOperand& target,
                   const std::string& operand) {
  // Binary-zone labels (10000 and up) and numbers past the program zone are no step at all.
  if (target.value > 9999) return c.Fail(kJumpTargetOutOfRange, operand);
  if (c.UnresolvedFlag == 0) {
    EmitJumpTo(c, index, target.value);
  } else {
    EmitJumpOpcode(c, index, true);
    EmitLongAddress(c, 0);
  }
  return 0;
}

int CompileLoop(Compilation& c, int index, const std::string& token, const std::string& operand) {
  std::optional<AddressOperand> target = c.AddressValue(operand);
  if (!target) return 1;
  if (target->indirect) return c.Fail(kUnavailableIndirectAddressing, token + " " + operand);
  return EmitDirectJump(c, index, *target, operand);
}

int CompileJump(Compilation& c, int index, const std::string& operand) {
  std::optional<AddressOperand> target = c.AddressValue(operand);
  if (!target) return 1;
  // Code "s o1 o2 n": the fourth character is the high digit of the indirect form.
  if (target->indirect) return EmitIndirect(c, index, target->value, c.Keywords.Code(index)[3]);
  return EmitDirectJump(c, index, *target, operand);
}

}  // namespace

void EmitJumpOpcode(Compilation& c, int index, bool longForm) {
  const std::string& code = c.Keywords.Code(index);
  if (c.Keywords.Group(index) == kGroupLoop) {
    // "5D" for L0: one-byte form F L0 5D, long form PF L0 FD.
    if (longForm)
      c.EmitStep(index, kPrefixPF, -1, std::string("F") + code[1]);
    else
      c.EmitStep(index, kPrefixF, -1, code);
    return;
  }
  // "05CC" for x<0: keys prefix selector, one-byte opcode; the long opcode is F + its low digit.
  if (longForm)
    c.EmitStep(index, kPrefixP, -1, std::string("F") + code[2]);
  else
    c.EmitStep(index, code[0] - '0', -1, code.substr(1, 2));
}

void EmitJumpTo(Compilation& c, int index, int target) {
  int shortAddress = c.ShortAddress(target);
  if (shortAddress >= 0) {
    EmitJumpOpcode(c, index, false);
    c.EmitStep(-shortAddress, kNoPrefix, -1, "");
    c.UnresolvedFlag = 0;
  } else {
    EmitJumpOpcode(c, index, true);
    EmitLongAddress(c, target);
    c.UnresolvedFlag = -1;
  }
}

int EmitRegisterInstruction(Compilation& c, int index, const RegisterOperand& reg) {
  // Code "d n": high digit of the direct form, high digit of the indirect form.
  const std::string& code = c.Keywords.Code(index);
  if (reg.indirect) return EmitIndirect(c, index, reg.number, code[1]);
  int r = reg.number;
  if (r <= 14) {
    c.EmitStep(index, kNoPrefix, r, std::string(1, code[0]));
  } else if (r <= 99) {
    c.EmitStep(index, kPrefixP, -1, std::string(1, code[0]) + "F");
    c.EmitStep(-r, kNoPrefix, -1, "");
  } else {
    c.EmitStep(index, kPrefixPP, -1, std::string("F") + code[0]);
    EmitLongAddress(c, r);
  }
  return 0;
}

int CompileInstruction(Compilation& c, int index, const std::string& token) {
  std::string operand = c.NextUpperToken();
  if (operand.empty()) return c.Fail(kUnexpectedEndOfFile);
  switch (c.Keywords.Group(index)) {
    case kGroupLoop:
      return CompileLoop(c, index, token, operand);
    case kGroupJump:
      return CompileJump(c, index, operand);
    default: {
      std::optional<RegisterOperand> reg = c.RegisterNumber(operand);
      if (!reg) return 1;
      return EmitRegisterInstruction(c, index, *reg);
    }
  }
}

}  // namespace calvern
