#include "compiler/instruction_encoder.h"

#include "compiler/compilation.h"

namespace calvern {
namespace {

// Address bytes of a long form: hundreds first, then the low two digits, both BCD.
void EmitLongAddress(Compilation& c, int value) {
  c.EmitStep(-(value / 100), kNoPrefix, -1, "");
  c.EmitStep(-(value % 100), kNoPrefix, -1, "");
}

// A jump or loop to a direct target: the one-byte address form when the target lies in the
// block of 100 steps of the opcode, else (and for every forward reference) the long form.
// shortPrefix/shortCode and longPrefix/longCode are the two opcodes with their keys prefixes.
int EmitDirectJump(Compilation& c, int index, const AddressOperand& target,
                   const std::string& operand, int shortPrefix, const std::string& shortCode,
                   int longPrefix, const std::string& longCode) {
  // Binary-zone labels (10000 and up) and numbers past the program zone are no step at all.
  if (target.value > 9999) return c.Fail(kJumpTargetOutOfRange, operand);
  if (c.UnresolvedFlag == 0) {
    int shortAddress = c.ShortAddress(target.value);
    if (shortAddress >= 0) {
      c.EmitStep(index, shortPrefix, -1, shortCode);
      c.EmitStep(-shortAddress, kNoPrefix, -1, "");
      c.UnresolvedFlag = 0;
      return 0;
    }
    c.UnresolvedFlag = -1;
  }
  c.EmitStep(index, longPrefix, -1, longCode);
  EmitLongAddress(c, target.value);  // 00 00 for a forward reference, patched later
  return 0;
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

int CompileLoop(Compilation& c, int index, const std::string& token, const std::string& operand) {
  std::optional<AddressOperand> target = c.AddressValue(operand);
  if (!target) return 1;
  if (target->indirect) return c.Fail(kUnavailableIndirectAddressing, token + " " + operand);
  const std::string& code = c.Keywords.Code(index);  // "5D" for L0; long form "FD"
  return EmitDirectJump(c, index, *target, operand, kPrefixF, code, kPrefixPF,
                        std::string("F") + code[1]);
}

int CompileJump(Compilation& c, int index, const std::string& operand) {
  std::optional<AddressOperand> target = c.AddressValue(operand);
  if (!target) return 1;
  // Code "s o1 o2 n": keys prefix selector, short opcode, indirect high digit.
  const std::string& code = c.Keywords.Code(index);
  if (target->indirect) return EmitIndirect(c, index, target->value, code[3]);
  return EmitDirectJump(c, index, *target, operand, code[0] - '0', code.substr(1, 2), kPrefixP,
                        std::string("F") + code[2]);
}

int CompileRegisterInstruction(Compilation& c, int index, const std::string& operand) {
  std::optional<RegisterOperand> reg = c.RegisterNumber(operand);
  if (!reg) return 1;
  // Code "d n": high digit of the direct form, high digit of the indirect form.
  const std::string& code = c.Keywords.Code(index);
  if (reg->indirect) return EmitIndirect(c, index, reg->number, code[1]);
  int r = reg->number;
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

}  // namespace

int CompileInstruction(Compilation& c, int index, const std::string& token) {
  std::string operand = c.NextUpperToken();
  if (operand.empty()) return c.Fail(kUnexpectedEndOfFile);
  switch (c.Keywords.Group(index)) {
    case kGroupLoop:
      return CompileLoop(c, index, token, operand);
    case kGroupJump:
      return CompileJump(c, index, operand);
    default:
      return CompileRegisterInstruction(c, index, operand);
  }
}

}  // namespace calvern
