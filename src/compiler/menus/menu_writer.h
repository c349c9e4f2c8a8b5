// The steps that the menu directives share: reading and checking their parameters, and writing
// into the block of the open menu (fonts, rows, texts, highlights, elements).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compiler/diagnostic.h"
#include "compiler/directive_compiler.h"
#include "compiler/menus/menu_state.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

class MenuWriter {
 public:
  MenuWriter(Compilation& c, const KeywordEntry& directive);

  // Reads the directive's parameters (and `extraValues` more values).
  [[nodiscard]] Status ReadParameters(int extraValues = 0);
  const std::string& Text(int slot) const { return params_.slot[slot]; }
  // Whether a text parameter was written as "(" register ")": a text held in the binary zone.
  bool HeldInRegister(int slot) const { return params_.textRegister[slot] >= 0; }
  // A parameter as a number; an error names the directive and the token.
  [[nodiscard]] std::optional<int> Value(int slot);
  // "#STRING without #MENU" when no menu is open.
  [[nodiscard]] Status RequireOpenMenu();
  // After the directive's text is written: a position that no form code can hold is an error.
  [[nodiscard]] Status Finish();

  // Adds text to a line of the open menu's block.
  void Add(MenuBlockLine line, std::string_view text);
  // A position written into a form program (0-255; anything else fails at Finish).
  std::string Coord(int value);
  // "__label" + a new serial number.
  std::string NewLabel();
  std::string MenuNumber() const { return std::to_string(menus.menuIndex); }

  // " #TYPE f" when the font changes.
  void Font(int font);
  // A text line at x: the element's program first moves to the line (element -1: none), then
  // the main program; the drawing position moves down by the font's line height.
  void Row(int element, int x);
  // The text of the data line labelled with a new serial number; gives the label.
  std::string TextLabel(const std::string& text);
  // The form code that prints the text of a slot: from the data line, or from a register.
  std::string TextCode(int slot);
  // Prints the text of a slot; with "#?", the text of slot 11 instead while the register of
  // slot 10 is not 0. A character that the menu's font cannot draw is compiled with a warning.
  void PrintText(int slot);
  // Warns of the first character of a text (calculator codes) that the menu's font has no glyph
  // for. Fonts other than the built-in ones are not known here.
  void WarnOfMissingGlyph(const std::string& codes);
  // The bar that marks the active element, or the frame that marks an active radio line: the
  // first element of the menu writes it, the others jump to it.
  void Highlight();
  void RadioHighlight();
  // A selectable element: its flag byte, its Enter target and its action routine.
  void Element(std::string_view flags, const std::string& inputPair, const std::string& action);

  Compilation& c;
  MenuState& menus;
  const KeywordEntry& directive;

 private:
  DirectiveParameters params_;
  bool outOfRange_ = false;
};

// Where the statement being compiled stands, and an error about a directive read earlier,
// reported at its place.
SourcePlace StatementPlace(const Compilation& c);
Status FailAt(Compilation& c, const SourcePlace& place, Diagnostic diagnostic);
// Remembers a line that goes to `menu`, checked when the menus are compiled.
void AddMenuLink(Compilation& c, int menu, const std::string& text);

// A routine operand: a label or a step number. A token that would end or break the generated
// table (a directive such as #END) is refused.
[[nodiscard]] Status CheckRoutine(Compilation& c, const KeywordEntry& directive,
                                  const std::string& token);

}  // namespace calvern
