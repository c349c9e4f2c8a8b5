// The counters and switches of the menu generator for one compilation. Each menu is collected
// as a block of ten generated lines (a form with its tables, programs, texts and action
// table); #MENUMAINLOOP adds the main loop and the form table and compiles them all.
#pragma once

#include <string>
#include <vector>

namespace calvern {

// Where each line of a menu's block lies, counted from the block's first line.
enum MenuBlockLine : int {
  kFormHeaderLine = 0,   // "#DefineForm k" and, at #ENDMENU, the element count
  kFlagsLine = 1,        // one flag byte per element
  kOutputLine = 2,       // Esc targets
  kInputLine = 3,        // Enter targets: a (form, element) pair per element
  kRightLine = 4,        // right transitions
  kLeftLine = 5,         // left transitions
  kMainProgramLine = 6,  // the main drawing program
  kElementsLine = 7,     // the element drawing programs
  kDataLine = 8,         // texts and the routines of check boxes and radio buttons
  kActionTableLine = 9,  // the element-indexed table of action addresses
  kMenuBlockLines = 10,
};

// Buffer line 0 holds the main loop, line 1 the form table; menu k's block starts at 10k + 2.
inline constexpr int kMainLoopLine = 0;
inline constexpr int kFormTableLine = 1;
inline int MenuBlockStart(int menu) { return kMenuBlockLines * menu + 2; }
// The buffer's 1001 lines hold the blocks of menus 0-98 and the closing line after them.
inline constexpr int kMaxMenus = 99;

// Where a directive stood in the source, for an error found later about it.
struct SourcePlace {
  long long line = 0;
  int column = 0;
};

// A line that goes to another menu (#LINK, #BLOCKL, the Esc target of #MENUESCL): the menu
// must exist when #MENUMAINLOOP compiles the menus.
struct MenuLink {
  int menu = 0;
  std::string text;  // the directive and its menu operand, for the message
  SourcePlace place;
};

struct MenuState {
  int menuIndex = -1;             // number of the last menu started; -1 when none is collected
  int menuBase = 0;               // first buffer line of that menu's block
  int itemCount = -1;             // elements of the open menu; -1 when no menu is open
  int menuY = 0;                  // drawing position in pixels
  int menuFont = -1;              // font of the last #TYPE written
  std::string actionFlags;        // flag bytes of elements with their own action
  std::string inputFlags;         // and of elements without one
  int escapeTarget = -1;          // the menu Esc goes to (#MENUESCL), or -1
  bool escapeActionUsed = false;  // a #MENUESCA menu since the last main loop
  bool reverseBarDone = false;    // the menu's shared highlight code is written
  bool radioFrameDone = false;
  bool rectOpen = false;  // #STARTRECT waits for its #ENDRECT
  int rectTop = 0;
  // Where the open menu (with its keyword) and its open rectangle stand.
  std::string menuKeyword;
  SourcePlace menuStart, rectStart;
  std::vector<MenuLink> links;  // since the last main loop
  // 0 no icon; 1 after #ICON (free blocks); 2 after #MATRIX, then one more per matrix block.
  int iconState = 0;
  int iconX = 0, iconTop = 0, iconWidth = 0, iconHeight = 0;
  int cellWidth = 0, cellHeight = 0, matrixColumns = 0, matrixRows = 0, matrixFirst = 0;
  std::string blockShape;      // " #FRAME 3 " or " #SQU 3 ": how blocks inside an icon are marked
  std::string checkMarkLabel;  // label of the check-mark text once it exists
  bool mainLoopDone = false;
  // The tallest menu: its final drawing position, its number and the line of its #ENDMENU.
  int maxMenuLines = 0;
  int maxMenuIndex = -1;
  long long maxMenuLine = 0;
};

}  // namespace calvern
