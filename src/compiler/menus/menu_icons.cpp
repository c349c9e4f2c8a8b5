// #ICON draws a picture of the program or binary zone in the menu; #BLOCKA and #BLOCKL make
// parts of it selectable, either free rectangles or the cells of the grid that #MATRIX lays
// over the picture.
#include "compiler/compilation.h"
#include "compiler/menus/menu_handlers.h"
#include "compiler/menus/menu_writer.h"
#include "compiler/structure_compiler.h"

namespace calvern {
namespace {

// #ICON opt adr. The picture must be placed already: its first two bytes give its width and
// height. Options: bits 0-1 the position (left, centred, right, at x = 8); bit 2 draws it as
// the background of the lines that follow; bit 3 marks its blocks with a frame, not a bar.
Status Icon(MenuWriter& w) {
  Compilation& c = w.c;
  MenuState& m = w.menus;
  std::optional<int> options = w.Value(1);
  if (!options) return Status::kFailed;
  const std::string& name = w.Text(2);
  m.iconState = 1;
  std::optional<AddressOperand> address;
  if (name.starts_with("(") || name.starts_with("$") || !(address = c.AddressValue(name)) ||
      address->Pending() || address->Indirect()) {
    return c.Fail(kBadAddressInIcon);
  }
  // A label's value is its cell: a step, or a binary address + 9000.
  const int cell = address->value;
  const MemoryImage& image = c.Out.Image();
  if (cell < 0 || cell + 1 >= MemoryImage::kDecimalStart || image.Value(cell) < 0 ||
      image.Value(cell + 1) < 0) {
    return c.Fail(kBadAddressInIcon);
  }
  m.iconWidth = image.Value(cell);
  m.iconHeight = image.Value(cell + 1);
  m.iconTop = m.menuY;
  switch (*options & 3) {
    case 0:
      m.iconX = 0;
      break;
    case 1:
      m.iconX = (128 - m.iconWidth) / 2;
      break;
    case 2:
      m.iconX = 128 - m.iconWidth;
      break;
    default:
      m.iconX = 8;
      break;
  }
  w.Row(-1, m.iconX);
  m.menuY = (*options & 4) ? m.iconTop : m.iconTop + m.iconHeight;
  const bool programZone = cell < MemoryImage::kBinaryStart;
  w.Add(kMainProgramLine, std::string(" #DRAW") + (programZone ? "P" : "B") + " 16 " + name);
  m.blockShape = (*options & 8) ? " #FRAME 3 " : " #SQU 3 ";
  return Status::kDone;
}

// #MATRIX n m: a grid of n columns and m rows over the last icon.
Status Matrix(MenuWriter& w) {
  MenuState& m = w.menus;
  std::optional<int> columns = w.Value(1);
  std::optional<int> rows = columns ? w.Value(2) : std::nullopt;
  if (!rows) return Status::kFailed;
  if (m.iconState == 0) return Without(w.c, "#MATRIX", "#ICON");
  if (*columns < 1 || *rows < 1) return w.c.Fail(kMatrixWithoutCellsIn, "#MATRIX");
  m.iconState = 2;
  m.matrixColumns = *columns;
  m.matrixRows = *rows;
  m.cellWidth = m.iconWidth / *columns;
  m.cellHeight = m.iconHeight / *rows;
  m.matrixFirst = m.itemCount;
  return Status::kDone;
}

// #BLOCKA routine, #BLOCKL menu, then x y w h inside the icon, or the column and row of a
// matrix cell. The first cell of a matrix writes the marking code, the others jump to it.
Status Block(MenuWriter& w) {
  Compilation& c = w.c;
  MenuState& m = w.menus;
  if (m.iconState == 0) return Without(c, w.directive.Keyword(), "#ICON");
  const bool free = m.iconState == 1;
  int place[4] = {0, 0, 0, 0};
  for (int k = 0; k < (free ? 4 : 2); ++k) {
    std::optional<int> value = w.Value(2 + k);
    if (!value) return Status::kFailed;
    place[k] = *value;
  }
  const bool action = w.directive.index == kDirBlocka;
  std::optional<int> target;
  if (action && Failed(CheckRoutine(c, w.directive, w.Text(1)))) return Status::kFailed;
  if (!action && (!(target = w.Value(1)) || *target < 0 || *target >= kMaxMenus)) {
    return target ? c.Fail(kBadValueIn, std::string(w.directive.Keyword()) + " " + w.Text(1))
                  : Status::kFailed;
  }
  if (!free &&
      (place[0] < 0 || place[0] >= m.matrixColumns || place[1] < 0 || place[1] >= m.matrixRows)) {
    return c.Fail(kBlockOutsideMatrixIn,
                  std::string(w.directive.Keyword()) + " " + w.Text(2) + " " + w.Text(3));
  }
  const int e = m.itemCount;
  if (action) {
    w.Element(m.actionFlags, " " + w.MenuNumber() + " " + std::to_string(e), w.Text(1));
  } else {
    AddMenuLink(c, *target, std::string(w.directive.Keyword()) + " " + w.Text(1));
    w.Element(m.inputFlags, " " + std::to_string(*target) + " 0", "__dum" + w.MenuNumber());
  }
  std::string program = " #FormElementProgram " + std::to_string(e) + " #TAB ";
  if (free) {
    program += w.Coord(m.iconX + place[0]) + " " + w.Coord(m.iconTop + place[1]) + m.blockShape +
               w.Coord(place[2]) + " " + w.Coord(place[3]) + " #END";
  } else {
    program += w.Coord(m.iconX + m.cellWidth * place[0]) + " " +
               w.Coord(m.iconTop + m.cellHeight * place[1]);
    const std::string mark = "__MAT" + w.MenuNumber() + "L" + std::to_string(m.matrixFirst);
    if (m.iconState == 2) {
      program += " " + mark + ":" + m.blockShape + std::to_string(m.cellWidth) + " " +
                 std::to_string(m.cellHeight) + " #END";
    } else {
      program += " #JM " + mark;
    }
    ++m.iconState;
  }
  w.Add(kElementsLine, program);
  return Status::kDone;
}

}  // namespace

Status CompileMenuIcon(Compilation& c, const KeywordEntry& directive) {
  MenuWriter w(c, directive);
  const bool block = directive.index == kDirBlocka || directive.index == kDirBlockl;
  // Blocks of an icon without a matrix give their rectangle: two more values.
  const int extraValues = block && c.Menus.iconState == 1 ? 2 : 0;
  if (Failed(w.ReadParameters(extraValues)) || Failed(w.RequireOpenMenu())) {
    return Status::kFailed;
  }
  Status done = directive.index == kDirIcon     ? Icon(w)
                : directive.index == kDirMatrix ? Matrix(w)
                                                : Block(w);
  if (Failed(done)) return Status::kFailed;
  return w.Finish();
}

}  // namespace calvern
