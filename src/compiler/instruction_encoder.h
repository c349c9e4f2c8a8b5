// Encodes the calculator instructions that take an operand: the loops L0-L3, the jumps and
// calls, and the register instructions, in their one-byte, long and indirect forms.
#pragma once

#include <string>

namespace calvern {

class Compilation;

// Reads the operand of keyword `index` (alias resolved; `token` as written, for messages) and
// writes its steps. Returns 0, or 1 after an error reported in the status lines.
int CompileInstruction(Compilation& c, int index, const std::string& token);

}  // namespace calvern
