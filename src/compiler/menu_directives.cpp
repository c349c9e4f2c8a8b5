#include "compiler/menu_directives.h"

#include "compiler/compilation.h"

namespace calvern {

Status CompileMenuDirective(Compilation& c, const KeywordEntry& directive) {
  if (directive.index == kDirEndmenuinput) {  // end of generated menus: back to the file
    c.Source().Generated().SwitchOff();
    c.Source().Generated().HoldLines(0);
    return Status::kDone;
  }
  // Not built yet: the directive is refused by name.
  return c.Fail(kDirectiveNotAvailable, directive.keyword);
}

}  // namespace calvern
