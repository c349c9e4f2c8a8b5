// The lines of a menu: texts, separators, frames and progress bars (drawn by the menu's main
// program), and the selectable elements: actions, links, inputs, check boxes, radio buttons.
#include <algorithm>

#include "compiler/compilation.h"
#include "compiler/menus/menu_handlers.h"
#include "compiler/menus/menu_writer.h"
#include "compiler/structure_compiler.h"
#include "tables/character_table.h"
#include "tables/font_width_table.h"

namespace calvern {
namespace {

const std::string kCheckMark = "\xFB";  // the calculator's check-mark character

// Where a text starts when centred on the menu's 124-pixel width. A text held in a register
// has no known width: it starts at the left edge.
int CentredX(MenuWriter& w, int slot) {
  int width = w.HeldInRegister(slot)
                  ? 124
                  : FontWidthTable::BuiltIn().TextWidth(w.menus.menuFont, w.Text(slot));
  return std::max(0, (124 - width) / 2);
}

// #STRING, #CSTRING f text.
Status TextLine(MenuWriter& w, bool centred) {
  std::optional<int> font = w.Value(1);
  if (!font) return Status::kFailed;
  w.Font(*font);
  w.Row(-1, centred ? CentredX(w, 2) : 8);
  w.PrintText(2);
  return Status::kDone;
}

// #OUTPUTD, #OUTPUTH f text tab reg, #OUTPUTF f text tab reg m n: a value after a text.
Status OutputLine(MenuWriter& w) {
  const int index = w.directive.index;
  std::optional<int> font = w.Value(1);
  std::optional<int> tab = font ? w.Value(3) : std::nullopt;
  if (!tab) return Status::kFailed;
  std::string print;
  if (index == kDirOutputd) print = " #PREXP 16 " + w.Text(4);
  if (index == kDirOutputh) print = " #PRHEX 16 " + w.Text(4);
  if (index == kDirOutputf) {
    std::optional<int> m = w.Value(5);
    std::optional<int> n = m ? w.Value(6) : std::nullopt;
    if (!n) return Status::kFailed;
    print = " #PRFORM 16 " + w.Text(4) + " " + std::to_string(*m) + " " + std::to_string(*n);
  }
  w.Font(*font);
  w.Add(kMainProgramLine, " #TAB " + w.Coord(*tab) + " " + w.Coord(w.menus.menuY) + print);
  w.Row(-1, 8);
  w.PrintText(2);
  return Status::kDone;
}

// #ACTION text routine, #LINK text menu: Enter runs the routine (the element stays active), or
// goes to element 0 of the menu.
Status ActionOrLink(MenuWriter& w) {
  MenuState& m = w.menus;
  const bool link = w.directive.index == kDirLink;
  std::optional<int> target;
  if (link && !(target = w.Value(2))) return Status::kFailed;
  if (link && (*target < 0 || *target >= kMaxMenus)) {
    return w.c.Fail(kBadValueIn, std::string(w.directive.Keyword()) + " " + w.Text(2));
  }
  if (!link && Failed(CheckRoutine(w.c, w.directive, w.Text(2)))) return Status::kFailed;
  const int e = m.itemCount;
  w.Font(0);
  w.Row(e, 8);
  w.PrintText(1);
  w.Highlight();
  if (link) {
    AddMenuLink(w.c, *target, std::string(w.directive.Keyword()) + " " + w.Text(2));
    w.Element(m.inputFlags, " " + std::to_string(*target) + " 0", "__dum" + w.MenuNumber());
  } else {
    w.Element(m.actionFlags, " " + w.MenuNumber() + " " + std::to_string(e), w.Text(2));
  }
  return Status::kDone;
}

// #INPUTD, #INPUTH text tab reg and #VINPUTD, #VINPUTH text tab reg routine: Enter reads a
// decimal (254) or hexadecimal (253) number into the register; the V forms then run the
// routine. A tab of 0 or more shows the register's value there.
Status InputLine(MenuWriter& w) {
  MenuState& m = w.menus;
  const int index = w.directive.index;
  const bool decimal = index == kDirInputd || index == kDirVinputd;
  const bool withRoutine = index == kDirVinputd || index == kDirVinputh;
  std::optional<int> tab = w.Value(2);
  if (!tab) return Status::kFailed;
  if (withRoutine && Failed(CheckRoutine(w.c, w.directive, w.Text(4)))) return Status::kFailed;
  const std::string& reg = w.Text(3);
  w.Font(0);
  if (*tab >= 0) {
    w.Add(kMainProgramLine, " #TAB " + w.Coord(*tab) + " " + w.Coord(m.menuY) +
                                (decimal ? " #PREXP 16 " : " #PRHEX 16 ") + reg);
  }
  w.Row(m.itemCount, 8);
  if (!w.Text(1).empty()) w.PrintText(1);
  w.Add(kElementsLine, " #LDADR " + reg);
  w.Highlight();
  const std::string pair = decimal ? " 254 0" : " 253 0";
  if (withRoutine) {
    w.Element(m.actionFlags, pair, w.Text(4));
  } else {
    w.Element(m.inputFlags, pair, "__dum" + w.MenuNumber());
  }
  return Status::kDone;
}

// #CHECK text reg: a check mark at the left edge while reg is 0; Enter toggles reg between
// 0 and 1.
Status CheckBox(MenuWriter& w) {
  MenuState& m = w.menus;
  const std::string& reg = w.Text(2);
  const int e = m.itemCount;
  w.Font(0);
  const int top = m.menuY;
  w.Row(e, 8);
  w.PrintText(1);
  w.Highlight();
  // One check-mark text serves every check box of the program.
  if (m.checkMarkLabel.empty()) m.checkMarkLabel = w.TextLabel(kCheckMark);
  std::string skip = " " + w.NewLabel();
  w.Add(kMainProgramLine, " #JNEZ " + reg + skip + " #TAB 0 " + w.Coord(top) + " #TXTP 16 " +
                              m.checkMarkLabel + skip + ":");
  std::string toggle = w.NewLabel();
  w.Add(kDataLine, " " + toggle + ": @" + reg + " 1 XOR =" + reg + " RTN");
  w.Element(m.actionFlags, " " + w.MenuNumber() + " " + std::to_string(e), toggle);
  return Status::kDone;
}

// #RADIO "A|B|C" reg: the options side by side in columns of equal width; reg holds the X
// position of the box under the selected one, and Enter moves it one column to the left,
// wrapping to the last column.
Status RadioLine(MenuWriter& w) {
  MenuState& m = w.menus;
  const std::string& texts = w.Text(1);
  const std::string& reg = w.Text(2);
  if (w.HeldInRegister(1)) return w.c.Fail(kInvalidStringIn, w.directive.Keyword());
  const int columns = static_cast<int>(std::count(texts.begin(), texts.end(), '|')) + 1;
  if (columns > 120) {
    return w.c.Fail(kBadValueIn, std::string(w.directive.Keyword()) + " \"" +
                                     CharacterTable::BuiltIn().ShownText(texts) + "\"");
  }
  const int width = 120 / columns;
  if (m.menuY != 0) ++m.menuY;
  w.Font(0);
  std::size_t start = 0;
  for (int g = 0; g < columns; ++g) {
    std::size_t bar = std::min(texts.find('|', start), texts.size());
    std::string option = texts.substr(start, bar - start);
    start = bar + 1;
    int x = (width - FontWidthTable::BuiltIn().TextWidth(0, option)) / 2 + g * width + 4;
    w.Add(kMainProgramLine, " #TAB " + w.Coord(std::max(x, 0)) + " " + w.Coord(m.menuY) +
                                " #TXTP 16 " + w.TextLabel(option));
  }
  w.Add(kMainProgramLine, " #TAB 0 " + w.Coord(m.menuY + 1) + " #LDX " + reg + " #SQU 3 " +
                              std::to_string(width) + " 6");
  // A radio line at the very top has its frame at the top edge.
  const int e = m.itemCount;
  w.Add(kElementsLine, " #FormElementProgram " + std::to_string(e) + " #TAB 2 " +
                           w.Coord(std::max(m.menuY - 1, 0)));
  w.RadioHighlight();
  std::string step = w.NewLabel();
  w.Add(kDataLine, " " + step + ": @" + reg + " $" + std::to_string(width) + " - IF(x<0)THEN $" +
                       std::to_string(width * (columns - 1) + 4) + " ENDIF STO " + reg + " RTN");
  w.Element(m.actionFlags, " " + w.MenuNumber() + " " + std::to_string(e), step);
  m.menuY += 9;
  return Status::kDone;
}

// #BLANK v, #HLINE, #PROGRESSBAR reg, #STARTRECT, #ENDRECT: spacing and lines drawn by the
// menu's main program.
Status Decoration(MenuWriter& w) {
  MenuState& m = w.menus;
  switch (w.directive.index) {
    case kDirBlank: {
      std::optional<int> pixels = w.Value(1);
      if (!pixels) return Status::kFailed;
      m.menuY += *pixels;
      break;
    }
    case kDirHline:
      w.Add(kMainProgramLine, " #TAB 8 " + w.Coord(m.menuY + 1) + " #SQU 3 112 1");
      m.menuY += 3;
      break;
    case kDirProgressbar:
      w.Add(kMainProgramLine, " #TAB 8 " + w.Coord(m.menuY) + " #SQU 3 112 8 #TAB 8 " +
                                  w.Coord(m.menuY + 1) + " #LDX " + w.Text(1) + " #SQU 3 3 6");
      m.menuY += 8;
      break;
    case kDirStartrect:
      // Rectangles do not nest: the first one would never be drawn.
      if (m.rectOpen) {
        return FailAt(w.c, m.rectStart,
                      {.message = kMissingAfter, .lead = "#ENDRECT", .detail = "#STARTRECT"});
      }
      m.rectTop = m.menuY + 1;
      m.rectOpen = true;
      m.rectStart = StatementPlace(w.c);
      m.menuY += 3;
      break;
    case kDirEndrect:
      if (!m.rectOpen) return Without(w.c, w.directive.Keyword(), "#STARTRECT");
      m.rectOpen = false;
      w.Add(kMainProgramLine,
            " #TAB 5 " + w.Coord(m.rectTop) + " #FRAME 3 118 " + w.Coord(m.menuY - m.rectTop + 2));
      m.menuY += 3;
      break;
    default:  // every group-0 directive has its handler: one reaching here is a table fault
      return w.c.Fail(kDirectiveNotAvailable, w.directive.Keyword());
  }
  return Status::kDone;
}

Status CompileItem(MenuWriter& w) {
  switch (w.directive.index) {
    case kDirString:
    case kDirCstring:
      return TextLine(w, w.directive.index == kDirCstring);
    case kDirOutputd:
    case kDirOutputh:
    case kDirOutputf:
      return OutputLine(w);
    case kDirAction:
    case kDirLink:
      return ActionOrLink(w);
    case kDirInputd:
    case kDirInputh:
    case kDirVinputd:
    case kDirVinputh:
      return InputLine(w);
    case kDirCheck:
      return CheckBox(w);
    case kDirRadio:
      return RadioLine(w);
    default:
      return Decoration(w);
  }
}

}  // namespace

Status CompileMenuItem(Compilation& c, const KeywordEntry& directive) {
  MenuWriter w(c, directive);
  if (Failed(w.ReadParameters()) || Failed(w.RequireOpenMenu())) return Status::kFailed;
  if (Failed(CompileItem(w))) return Status::kFailed;
  return w.Finish();
}

}  // namespace calvern
