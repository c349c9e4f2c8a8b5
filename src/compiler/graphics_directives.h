// Graphics: #DEFGRAPH blocks drawn with "." and "*" rows, #LOADIMAGE pictures converted to the
// same block format, and the user font built by #FONT, #DEFCHAR and #ENDFONT.
#pragma once

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

Status CompileGraphicsDirective(Compilation& c, const KeywordEntry& directive);

// #LOADIMAGE (load_image.cpp).
Status CompileLoadImage(Compilation& c, const KeywordEntry& directive);

}  // namespace calvern
