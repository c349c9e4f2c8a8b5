// Structured control flow: FOR/NEXT, DO/LOOP, REPEAT/UNTIL, WHILE, IF/ELSE/ENDIF, SUM, MUL and
// SELECT/CASE/DEFAULT/ENDSELECT. Backward jumps are written at once; forward jumps go to
// internal labels defined when the closing keyword arrives; SELECT writes source text.
#pragma once

#include <string>

namespace calvern {

class Compilation;

// Compiles the structure keyword `index` (group 7, alias resolved).
int CompileStructure(Compilation& c, int index);

// The keyword that opened a structure, from its stack tag, for the end-of-source message.
std::string OpenStructureName(const std::string& tag);

// "   NEXT without FOR." and the like: the keyword parts are fixed, " without " is a message.
int Without(Compilation& c, const std::string& keyword, const std::string& opener);
// Whether a stack tag is of the kind named by its first two letters (case matters).
bool TagIs(const std::string& tag, const char* kind);

// Loops and conditionals (loop_structures.cpp) and the SELECT family (select_structure.cpp).
int CompileFor(Compilation& c);
int CompileLoopEnd(Compilation& c, bool isNext);
int CompileUntil(Compilation& c, int test);
int CompileForwardJump(Compilation& c, bool isWhile, int test);
int CompileEndIf(Compilation& c);
int CompileElse(Compilation& c);
int CompileSumOrMul(Compilation& c, int index);
int CompileSelect(Compilation& c);
int CompileCase(Compilation& c, int index);
int CompileDefault(Compilation& c);
int CompileEndSelect(Compilation& c);

}  // namespace calvern
