#include "compiler/form_directives.h"

#include "compiler/compilation.h"

namespace calvern {

Status CompileFormCode(Compilation& c, const KeywordEntry& directive) {
  // Not built yet: the directive is refused by name.
  return c.Fail(kDirectiveNotAvailable, directive.keyword);
}

Status CompileFormTableDirective(Compilation& c, const KeywordEntry& directive) {
  // Not built yet: the directive is refused by name.
  return c.Fail(kDirectiveNotAvailable, directive.keyword);
}

}  // namespace calvern
