// The menu generator: #MENU .. #ENDMENU describe a menu line by line; the generator writes
// each menu as a form in source text, and #MENUMAINLOOP compiles them with the main loop.
#pragma once

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

Status CompileMenuDirective(Compilation& c, const KeywordEntry& directive);

// At the end of the source: a menu left open is an error naming its #MENU.
[[nodiscard]] Status CheckMenusEnded(Compilation& c);

// After a successful compilation: the warning for a menu taller than 64 pixel lines.
void WarnOfTallMenu(Compilation& c);

}  // namespace calvern
