// The menu generator: #MENU .. #ENDMENU describe a menu line by line; the generator writes
// each menu as a form in source text, and #MENUMAINLOOP compiles them with the main loop.
#pragma once

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

Status CompileMenuDirective(Compilation& c, const KeywordEntry& directive);

// After a successful compilation: the warning for a menu taller than 64 pixel lines.
void WarnOfTallMenu(Compilation& c);

}  // namespace calvern
