#include "compiler/structure_compiler.h"

#include "compiler/compilation.h"

namespace calvern {

// Structures are not compiled by this version yet: say so, naming the keyword.
int CompileStructure(Compilation& c, int index) {
  return c.Fail(kStructureNotAvailable, c.Keywords.Keyword(index));
}

}  // namespace calvern
