#include "compiler/menu_directives.h"

#include "compiler/compilation.h"
#include "compiler/menus/menu_handlers.h"

namespace calvern {
namespace {

// The lines whose text may depend on a flag register ("#?STRING ... reg "other text"").
bool HasConditionalForm(int index) {
  switch (index) {
    case kDirString:
    case kDirCstring:
    case kDirAction:
    case kDirLink:
    case kDirInputd:
    case kDirInputh:
    case kDirVinputd:
    case kDirVinputh:
    case kDirOutputd:
    case kDirOutputh:
    case kDirOutputf:
    case kDirCheck:
      return true;
    default:
      return false;
  }
}

}  // namespace

Status CompileMenuDirective(Compilation& c, const KeywordEntry& directive) {
  const int index = directive.index;
  if (c.Prefixes.conditionalForm && !HasConditionalForm(index)) {
    return c.Fail(kNoConditionalFormIn, directive.Keyword());
  }
  switch (index) {
    case kDirMenu:
    case kDirMenuesca:
    case kDirMenuescl:
      return CompileMenuStart(c, directive);
    case kDirEndmenu:
      return CompileMenuEnd(c, directive);
    case kDirEndmenuinput:
      return CompileMenuInputEnd(c);
    case kDirMenumainloop:
      return CompileMenuMainLoop(c, directive);
    case kDirRedraw:
      return CompileRedraw(c);
    case kDirGotomenu:
      return CompileGotoMenu(c);
    case kDirIcon:
    case kDirMatrix:
    case kDirBlocka:
    case kDirBlockl:
      return CompileMenuIcon(c, directive);
    default:  // the lines of a menu
      return CompileMenuItem(c, directive);
  }
}

}  // namespace calvern
