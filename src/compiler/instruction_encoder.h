// Encodes the calculator instructions that take an operand: the loops L0-L3, the jumps and
// calls, and the register instructions, in their one-byte, long and indirect forms.
#pragma once

#include <string>

namespace calvern {

class Compilation;

// Reads the operand of keyword `index` (alias resolved; `token` as written, for messages) and
// writes its steps. Returns 0, or 1 after an error reported in the status lines.
int CompileInstruction(Compilation& c, int index, const std::string& token);

struct RegisterOperand;

// Writes the opcode of loop or jump keyword `index` (groups 4 and 5) in its one-byte form
// (followed by one address byte) or its long form (followed by two).
void EmitJumpOpcode(Compilation& c, int index, bool longForm);
// A jump or loop to a known step: the one-byte address form when the target lies in the
// opcode's block of 100 steps, else the long form.
void EmitJumpTo(Compilation& c, int index, int target);
// A register instruction (RM or M) on a register operand, in the form its number needs.
// Returns 1 after reporting an indirect register above 99 (nothing is written then).
int EmitRegisterInstruction(Compilation& c, int index, const RegisterOperand& reg);

}  // namespace calvern
