// Structured control flow: FOR/NEXT, DO/LOOP, REPEAT/UNTIL, WHILE, IF/ELSE/ENDIF, SUM, MUL and
// SELECT/CASE.
#pragma once

namespace calvern {

class Compilation;

// Compiles the structure keyword `index` (group 7, alias resolved).
int CompileStructure(Compilation& c, int index);

}  // namespace calvern
