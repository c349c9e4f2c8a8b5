// Encodes the calculator instructions: the plain keys, and those that take an operand (the
// loops L0-L3, the jumps and calls, the register instructions) in the form their operand
// needs. The forms and their codes come from the instruction table.
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

// A keyword of groups 1-3: one step.
void EmitKey(Compilation& c, const KeywordEntry& key);
// A jump or loop in the address form `form` (kAddressByte or kAddressPair) to `target`; a
// placeholder target 0 is patched when its label is defined.
void EmitJump(Compilation& c, const KeywordEntry& jump, OperandKind form, int target);
// A jump or loop to a known step: the one-byte address form when the target lies in the
// opcode's block of 100 steps, else the long form.
void EmitJumpTo(Compilation& c, const KeywordEntry& jump, int target);
// A register instruction (RM or M) on a register operand, in the form its number needs. Fails
// on an indirect register above 99 (nothing is written then).
Status EmitRegisterInstruction(Compilation& c, const KeywordEntry& instruction,
                               const RegisterOperand& reg);

}  // namespace calvern
