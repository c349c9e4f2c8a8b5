// Forms: the instruction codes of form programs (#TAB .. #END) and the form tables
// (#FormTable, #DefineForm and the element tables and programs of a form).
#pragma once

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

// #TAB .. #END: one form instruction with its operands.
Status CompileFormCode(Compilation& c, const KeywordEntry& directive);

// #FormTable .. #FormElementProgram.
Status CompileFormTableDirective(Compilation& c, const KeywordEntry& directive);

}  // namespace calvern
