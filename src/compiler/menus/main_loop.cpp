// #MENUMAINLOOP reg writes the calculator's main event loop and compiles it with the form table
// and every menu collected; #REDRAW and #GOTOMENU act on the running form engine.
#include <string_view>
#include <vector>

#include "compiler/compilation.h"
#include "compiler/menus/menu_handlers.h"
#include "compiler/menus/menu_writer.h"
#include "compiler/structure_compiler.h"

namespace calvern {
namespace {

// The loop posts form command 64 (redraw), waits for a key while no command is pending, and
// calls through the register the routine that the active menu's action table holds for the
// active element. Lines ending with "=" are followed by the register, lines ending with "(" by
// the register and ")".
constexpr std::string_view kLoopStart[] = {
    "CX SET \\ACTIVEFORM SET \\ACTIVEELEMENT 1 SET \\FormEnable #NUM __TFORM SET \\FORMTABLE $64",
    "DO SET \\FormCommand GET \\FormCommandStatus IF(x<>0)THEN",
};
constexpr std::string_view kLoopEnd =
    "$64 ELSE REPEAT GET \\NextKey NOT UNTIL(x<>0) NOT ENDIF LOOP";

// Test for a pending command 7 (a key for the active element); with #MENUESCA, command 32
// (Esc) calls EscapeAction instead.
constexpr std::string_view kActionTest = "ENT ENT 1 - x<>y 7 - * IF(x=0)THEN";
constexpr std::string_view kEscapeTest = " GET \\FormCommand $32 - IF(x=0)THEN GOSUB EscapeAction";

// The action of the active element: from menu 0's table, or, with several menus, from the
// table of the active menu found in the jump table __jt.
constexpr std::string_view kOneMenuAction =
    "#NUM __adr0 SET \\PPtr GET \\ActiveElement EXEC \\GetTableWordBCD =";
constexpr std::string_view kMenuTable =
    "#NUM __jt SET \\PPtr GET \\ActiveForm EXEC \\GetTableWordBCD";
constexpr std::string_view kElementAction =
    "SET \\PPtr GET \\ActiveElement EXEC \\GetTableWordBCD =";

std::vector<std::string> TemplateLines(bool severalMenus, bool escapeAction) {
  std::vector<std::string> lines(std::begin(kLoopStart), std::end(kLoopStart));
  std::string test(kActionTest);
  if (escapeAction) {
    lines.push_back(test + std::string(kEscapeTest));
    test = "ELSE";
  }
  if (severalMenus) {
    lines.push_back(test + " " + std::string(kMenuTable));
    lines.push_back(std::string(kElementAction));
  } else {
    lines.push_back(test + " " + std::string(kOneMenuAction));
  }
  lines.push_back("GOSUB (");
  lines.push_back((escapeAction ? "ENDIF ENDIF " : "ENDIF ") + std::string(kLoopEnd));
  if (severalMenus) lines.push_back("__jt: #DAF");
  return lines;
}

}  // namespace

Status CompileMenuMainLoop(Compilation& c, const KeywordEntry& directive) {
  MenuWriter w(c, directive);
  if (Failed(w.ReadParameters())) return Status::kFailed;
  MenuState& m = c.Menus;
  if (m.mainLoopDone) return c.Fail(kMenuAfterMainLoopIn, directive.Keyword());
  if (m.menuIndex == -1) return Without(c, directive.Keyword(), "#MENU");
  if (m.itemCount != -1) return Without(c, directive.Keyword(), "#ENDMENU");
  // The form table lists menus 0 to the last one: a link beyond it would lead nowhere.
  for (const MenuLink& link : m.links) {
    if (link.menu > m.menuIndex) {
      return FailAt(c, link.place, {.message = kLinkToMissingMenu, .detail = link.text});
    }
  }
  const std::string& reg = w.Text(1);
  GeneratedLines& lines = c.Source().Generated();
  (void)lines.AppendToLine(kFormTableLine, " #END");

  std::string loop;
  for (const std::string& line : TemplateLines(m.menuIndex > 0, m.escapeActionUsed)) {
    loop += " " + line;
    if (line.ends_with("=")) loop += reg;
    if (line.ends_with("(")) loop += reg + ")";
  }
  if (m.menuIndex > 0) {
    for (int k = 0; k <= m.menuIndex; ++k) loop += " __adr" + std::to_string(k);
    loop += " #END";
  }
  (void)lines.SetLine(kMainLoopLine, loop);
  m.menuBase = MenuBlockStart(m.menuIndex + 1);
  m.escapeActionUsed = false;
  m.mainLoopDone = true;
  return c.GenerateStoredLines(m.menuBase);
}

Status CompileRedraw(Compilation& c) { return c.GenerateLine("$64 STO 9208"); }

// #GOTOMENU m e: makes element e of menu m the active one. The same token twice keys the
// value once: it serves both registers.
Status CompileGotoMenu(Compilation& c) {
  std::string menu = c.Source().NextToken();
  std::string element = menu.empty() ? std::string() : c.Source().NextToken();
  if (element.empty()) {
    return c.FailAtStatement(
        {.message = kUnexpectedEndOfFileIn, .detail = "#GOTOMENU", .indent = 2});
  }
  if (menu == element) menu.clear();
  return c.GenerateLine(element + " SET \\ActiveElement " + menu + " SET \\ActiveForm");
}

}  // namespace calvern
