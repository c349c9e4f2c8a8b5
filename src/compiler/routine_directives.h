// Directives that expand into calculator routines written as source text and compiled in
// place: block moves, register/binary copies, disk file operations, the file search routine
// and the radio-button conversions.
#pragma once

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

Status CompileRoutineDirective(Compilation& c, const KeywordEntry& directive);

}  // namespace calvern
