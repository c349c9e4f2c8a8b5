// The key notation of published Russian listings, as aliases of the keyword table's
// instructions.
#pragma once

#include <string>

#include "compiler/diagnostic.h"

namespace calvern {

class Compilation;

// Compiles a statement whose first token (upper-cased) is no keyword: a name of the listings'
// notation ("В↑", "F sin", "К ПП 7", ...) with its operand, read here. Anything else is the
// error "unknown instruction".
Status CompileKeyNotation(Compilation& c, const std::string& token);

}  // namespace calvern
