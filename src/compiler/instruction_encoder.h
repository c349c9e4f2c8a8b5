// Encodes the calculator instructions that take an operand: the loops L0-L3, the jumps and
// calls, and the register instructions, in their one-byte, long and indirect forms.
#pragma once

#include <string>

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;
struct RegisterOperand;

// Reads the operand of a keyword of groups 4-6 (alias resolved; `token` as written, for
// messages) and writes its steps.
Status CompileInstruction(Compilation& c, const KeywordEntry& keyword, const std::string& token);
// The same with the operand read already (upper-cased): the key notation of published
// listings reads and rewrites its own operands.
Status CompileInstruction(Compilation& c, const KeywordEntry& keyword, const std::string& token,
                          const std::string& operand);

// Writes the opcode of a loop or jump in its one-byte form (followed by one address byte) or
// its long form (followed by two).
void EmitJumpOpcode(Compilation& c, const KeywordEntry& jump, bool longForm);
// A jump or loop to a known step: the one-byte address form when the target lies in the
// opcode's block of 100 steps, else the long form.
void EmitJumpTo(Compilation& c, const KeywordEntry& jump, int target);
// A register instruction (RM or M) on a register operand, in the form its number needs. Fails
// on an indirect register above 99 (nothing is written then).
Status EmitRegisterInstruction(Compilation& c, const KeywordEntry& instruction,
                               const RegisterOperand& reg);

}  // namespace calvern
