// The handlers of the menu directives, one file per family: menus and their end (menu_frame),
// text and element lines (menu_items), icons with their blocks (menu_icons), and the main loop
// with the directives that act on it at run time (main_loop).
#pragma once

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

Status CompileMenuStart(Compilation& c, const KeywordEntry& directive);
Status CompileMenuEnd(Compilation& c, const KeywordEntry& directive);
// #ENDMENUINPUT: the collected menus are compiled; back to the file, numbering starts again.
Status CompileMenuInputEnd(Compilation& c);

Status CompileMenuItem(Compilation& c, const KeywordEntry& directive);
Status CompileMenuIcon(Compilation& c, const KeywordEntry& directive);

Status CompileMenuMainLoop(Compilation& c, const KeywordEntry& directive);
Status CompileRedraw(Compilation& c);
Status CompileGotoMenu(Compilation& c);

}  // namespace calvern
