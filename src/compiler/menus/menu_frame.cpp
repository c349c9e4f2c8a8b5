// #MENU, #MENUESCA, #MENUESCL n open a menu and write the ten lines of its block; #ENDMENU
// completes the form's header and transition tables.
#include "compiler/compilation.h"
#include "compiler/menu_directives.h"
#include "compiler/menus/menu_handlers.h"
#include "compiler/menus/menu_writer.h"
#include "compiler/structure_compiler.h"

namespace calvern {
namespace {

// The flag bytes of elements with and without their own action, by the way the menu reacts to
// Esc: not at all, by calling EscapeAction, or by going to another menu.
struct MenuKind {
  const char* actionFlags;
  const char* inputFlags;
};
constexpr MenuKind kPlainMenu = {" 13", " 5"};
constexpr MenuKind kEscapeActionMenu = {" 61", " 53"};
constexpr MenuKind kEscapeLinkMenu = {" 29", " 21"};

// The numbers from..to, each after a blank.
std::string Sequence(int from, int to) {
  std::string text;
  for (int n = from; n <= to; ++n) text += " " + std::to_string(n);
  return text;
}

}  // namespace

Status CompileMenuStart(Compilation& c, const KeywordEntry& directive) {
  MenuState& m = c.Menus;
  if (m.itemCount != -1) return c.Fail(kMissingEndMenu);
  if (m.mainLoopDone) return c.Fail(kMenuAfterMainLoopIn, directive.Keyword());
  MenuKind kind = kPlainMenu;
  int escapeTarget = -1;
  if (directive.index == kDirMenuescl) {
    std::optional<long long> target =
        c.NextValue(directive.Keyword(), kUnexpectedEndOfFileIn, "#MENUESCL");
    if (!target) return Status::kFailed;
    if (*target < 0 || *target >= kMaxMenus) {
      return c.Fail(kBadValueIn, std::string(directive.Keyword()) + " " + std::to_string(*target));
    }
    kind = kEscapeLinkMenu;
    escapeTarget = static_cast<int>(*target);
    AddMenuLink(c, escapeTarget,
                std::string(directive.Keyword()) + " " + std::to_string(escapeTarget));
  } else if (directive.index == kDirMenuesca) {
    kind = kEscapeActionMenu;
    m.escapeActionUsed = true;
  }
  if (m.menuIndex + 1 >= kMaxMenus) return c.Fail(kTooManyMenus);

  m.actionFlags = kind.actionFlags;
  m.inputFlags = kind.inputFlags;
  m.escapeTarget = escapeTarget;
  m.itemCount = 0;
  m.menuY = 0;
  m.menuFont = -1;
  m.reverseBarDone = false;
  m.radioFrameDone = false;
  m.rectOpen = false;
  m.iconState = 0;
  m.menuKeyword = directive.Keyword();
  m.menuStart = StatementPlace(c);

  GeneratedLines& lines = c.Source().Generated();
  if (m.menuIndex == -1) (void)lines.SetLine(kFormTableLine, "__tform: #FormTable");
  const std::string k = std::to_string(++m.menuIndex);
  (void)lines.AppendToLine(kFormTableLine, " " + k);
  m.menuBase = MenuBlockStart(m.menuIndex);
  const char* block[kMenuBlockLines] = {
      "#DefineForm ", "#FormFlags",       "#FormOutput",   "#FormInput", "#FormRight",
      "#FormLeft",    "#FormMainProgram", "#FormElements", "",           ""};
  for (int line = 0; line < kMenuBlockLines; ++line) {
    (void)lines.SetLine(m.menuBase + line, block[line]);
  }
  (void)lines.AppendToLine(m.menuBase + kFormHeaderLine, k);
  (void)lines.AppendToLine(m.menuBase + kActionTableLine,
                           "__dum" + k + ": RTN __adr" + k + ": #DAF");
  // Text that other statements generate meanwhile goes after the collected blocks.
  lines.HoldLines(m.menuBase + kMenuBlockLines);
  return Status::kDone;
}

Status CompileMenuEnd(Compilation& c, const KeywordEntry& directive) {
  MenuWriter w(c, directive);
  if (Failed(w.RequireOpenMenu())) return Status::kFailed;
  MenuState& m = c.Menus;
  const int n = m.itemCount;
  // A form has at least one element: say so here rather than when the menus are compiled.
  if (n == 0) return c.Fail(kMenuWithoutElements, w.MenuNumber());
  // A rectangle left open would never be drawn.
  if (m.rectOpen) {
    return FailAt(c, m.rectStart,
                  {.message = kMissingAfter, .lead = "#ENDRECT", .detail = "#STARTRECT"});
  }
  w.Add(kFormHeaderLine, " " + std::to_string(n));
  // Right goes to the next element and wraps to 0; Left to the previous one and wraps to the
  // last. ">>" ends a table early: its last entries are the first bytes of the next table.
  w.Add(kRightLine, Sequence(1, n - 2) + " >>");
  if (m.escapeTarget != -1) {
    std::string target = " " + std::to_string(m.escapeTarget) + " 0";
    std::string output;
    for (int e = 0; e < n; ++e) output += target;
    w.Add(kOutputLine, output + " #END");
  } else {
    w.Add(kOutputLine, " >>");  // the output table shares the input table's bytes
  }
  w.Add(kLeftLine, " " + std::to_string(n - 1) + Sequence(0, n - 2));
  w.Add(kMainProgramLine, " #END");
  w.Add(kActionTableLine, " #END");
  if (m.menuY > m.maxMenuLines) {
    m.maxMenuLines = m.menuY;
    m.maxMenuIndex = m.menuIndex;
    m.maxMenuLine = c.CurrentLine();
  }
  m.itemCount = -1;
  return Status::kDone;
}

Status CheckMenusEnded(Compilation& c) {
  const MenuState& m = c.Menus;
  if (m.itemCount != -1) {
    return FailAt(c, m.menuStart,
                  {.message = kMissingAfter, .lead = "#ENDMENU", .detail = m.menuKeyword});
  }
  return Status::kDone;
}

Status CompileMenuInputEnd(Compilation& c) {
  GeneratedLines& lines = c.Source().Generated();
  lines.SwitchOff();
  lines.HoldLines(0);
  MenuState& m = c.Menus;
  m.menuBase = 0;
  m.itemCount = -1;
  m.menuIndex = -1;
  return Status::kDone;
}

void WarnOfTallMenu(Compilation& c) {
  const MenuState& m = c.Menus;
  if (m.maxMenuLines <= 64) return;
  c.Warn({.message = kWarningMenu,
          .detail = std::to_string(m.maxMenuIndex),
          .line = m.maxMenuLine,
          .menuLines = m.maxMenuLines});
}

}  // namespace calvern
