#include "compiler/menus/menu_writer.h"

#include "compiler/compilation.h"
#include "compiler/memory_image.h"
#include "compiler/structure_compiler.h"
#include "tables/character_table.h"
#include "tables/font_width_table.h"

namespace calvern {
namespace {

// Pixel lines a text line of the font takes.
int LineHeight(int font) {
  if (font == 1) return 14;
  if (font == 2) return 19;
  return 8;
}

}  // namespace

SourcePlace StatementPlace(const Compilation& c) {
  return {.line = c.StatementLine(), .column = c.StatementColumn()};
}

Status FailAt(Compilation& c, const SourcePlace& place, Diagnostic diagnostic) {
  diagnostic.line = place.line;
  diagnostic.column = place.column;
  return c.Fail(std::move(diagnostic));
}

void AddMenuLink(Compilation& c, int menu, const std::string& text) {
  c.Menus.links.push_back({.menu = menu, .text = text, .place = StatementPlace(c)});
}

Status CheckRoutine(Compilation& c, const KeywordEntry& directive, const std::string& token) {
  if (token.starts_with("#") || token.ends_with(":")) {
    return c.Fail(kBadValueIn, std::string(directive.Keyword()) + " " + token);
  }
  return Status::kDone;
}

MenuWriter::MenuWriter(Compilation& compilation, const KeywordEntry& entry)
    : c(compilation), menus(compilation.Menus), directive(entry) {
  params_.slot[0] = "0";
}

Status MenuWriter::ReadParameters(int extraValues) {
  if (Failed(ReadDirectiveParameters(c, directive, params_, extraValues))) return Status::kFailed;
  params_.slot[0] = "0";
  return Status::kDone;
}

std::optional<int> MenuWriter::Value(int slot) {
  std::optional<long long> value = c.ValueOf(Text(slot), directive.Keyword());
  if (!value) return std::nullopt;
  // Far beyond any position or count; keeps the arithmetic on them exact.
  if (*value < -32768 || *value > 32767) {
    (void)c.Fail(kBadValueIn, std::string(directive.Keyword()) + " " + Text(slot));
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

Status MenuWriter::RequireOpenMenu() {
  if (menus.itemCount == -1) return Without(c, directive.Keyword(), "#MENU");
  return Status::kDone;
}

Status MenuWriter::Finish() {
  if (outOfRange_) return c.Fail(kPositionOutOfRangeIn, directive.Keyword());
  return Status::kDone;
}

void MenuWriter::Add(MenuBlockLine line, std::string_view text) {
  // The block of a menu that was started always lies inside the buffer.
  (void)c.Source().Generated().AppendToLine(menus.menuBase + line, text);
}

std::string MenuWriter::Coord(int value) {
  if (value < 0 || value > 255) outOfRange_ = true;
  return std::to_string(value);
}

std::string MenuWriter::NewLabel() { return "__label" + std::to_string(c.NextMenuSerial()); }

void MenuWriter::Font(int font) {
  if (font == menus.menuFont) return;
  menus.menuFont = font;
  Add(kMainProgramLine, " #TYPE " + std::to_string(font));
}

void MenuWriter::Row(int element, int x) {
  if (element != -1) {
    if (menus.menuY == 0) menus.menuY = 1;
    Add(kElementsLine,
        " #FormElementProgram " + std::to_string(element) + " #TAB 8 " + Coord(menus.menuY - 1));
  }
  Add(kMainProgramLine, " #TAB " + Coord(x) + " " + Coord(menus.menuY));
  menus.menuY += LineHeight(menus.menuFont);
}

std::string MenuWriter::TextLabel(const std::string& text) {
  std::string label = NewLabel();
  Add(kDataLine, " " + label + ": #TEXT0 \"" + text + "\"");
  return label;
}

std::string MenuWriter::TextCode(int slot) {
  if (HeldInRegister(slot)) return " #TXTK 16 " + Text(slot);
  WarnOfMissingGlyph(Text(slot));
  return " #TXTP 16 " + TextLabel(Text(slot));
}

void MenuWriter::WarnOfMissingGlyph(const std::string& codes) {
  const int font = menus.menuFont;
  if (font < 0 || font >= FontWidthTable::kFontCount) return;
  for (char ch : codes) {
    const int code = static_cast<unsigned char>(ch);
    if (FontWidthTable::BuiltIn().Width(font, code) != 0) continue;
    c.Warn({.message = kNoGlyphFor,
            .detail = CharacterTable::BuiltIn().Shown(code),
            .line = c.CurrentLine(),
            .font = font});
    return;
  }
}

void MenuWriter::PrintText(int slot) {
  std::string shown = TextCode(slot);
  if (!c.Prefixes.conditionalForm) return Add(kMainProgramLine, shown);
  std::string other = " " + NewLabel();
  std::string end = " " + NewLabel();
  std::string alternative = TextCode(11);
  Add(kMainProgramLine,
      " #JNEZ " + Text(10) + other + shown + " #JM" + end + other + ":" + alternative + end + ":");
}

void MenuWriter::Highlight() {
  if (menus.reverseBarDone) return Add(kElementsLine, " #JM __RV" + MenuNumber());
  menus.reverseBarDone = true;
  Add(kElementsLine, " __RV" + MenuNumber() + ": #SQU 3 112 10 #END");
}

void MenuWriter::RadioHighlight() {
  if (menus.radioFrameDone) return Add(kElementsLine, " #JM __RB" + MenuNumber());
  menus.radioFrameDone = true;
  Add(kElementsLine, " __RB" + MenuNumber() + ": #FRAME 3 124 10 #END");
}

void MenuWriter::Element(std::string_view flags, const std::string& inputPair,
                         const std::string& action) {
  Add(kFlagsLine, flags);
  Add(kInputLine, inputPair);
  Add(kActionTableLine, " " + action);
  ++menus.itemCount;
}

}  // namespace calvern
