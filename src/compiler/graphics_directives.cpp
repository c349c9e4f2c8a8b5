#include "compiler/graphics_directives.h"

#include "compiler/compilation.h"

namespace calvern {

Status CompileGraphicsDirective(Compilation& c, const KeywordEntry& directive) {
  // Not built yet: the directive is refused by name.
  return c.Fail(kDirectiveNotAvailable, directive.keyword);
}

}  // namespace calvern
