// Structured control flow: FOR/NEXT, DO/LOOP, REPEAT/UNTIL, WHILE, IF/ELSE/ENDIF, SUM, MUL and
// SELECT/CASE/DEFAULT/ENDSELECT. Backward jumps are written at once; forward jumps go to
// internal labels defined when the closing keyword arrives; SELECT writes source text.
#pragma once

#include <string>

#include "compiler/diagnostic.h"
#include "compiler/structure_stack.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

// Compiles a structure keyword (group 7, alias resolved).
Status CompileStructure(Compilation& c, const KeywordEntry& keyword);

// The keyword that opened a structure, for the end-of-source message.
std::string OpenStructureName(const StructureEntry& entry);

// Opens a structure at the step counter; fails when the stack is full.
[[nodiscard]] Status PushStructure(Compilation& c, StructureEntry entry);
// "   NEXT without FOR." and the like: the keyword parts are fixed, " without " is a message.
Status Without(Compilation& c, std::string_view keyword, std::string_view opener);

// Loops and conditionals (loop_structures.cpp) and the SELECT family (select_structure.cpp).
Status CompileFor(Compilation& c);
Status CompileLoopEnd(Compilation& c, bool isNext);
Status CompileUntil(Compilation& c, int test);
Status CompileForwardJump(Compilation& c, bool isWhile, int test);
Status CompileEndIf(Compilation& c);
Status CompileElse(Compilation& c);
Status CompileSumOrMul(Compilation& c, const KeywordEntry& keyword);
Status CompileSelect(Compilation& c);
Status CompileCase(Compilation& c, const KeywordEntry& keyword);
Status CompileDefault(Compilation& c);
Status CompileEndSelect(Compilation& c);

}  // namespace calvern
