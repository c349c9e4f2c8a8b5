#include "compiler/user_font.h"

#include "compiler/compilation.h"
#include "compiler/directive_compiler.h"
#include "compiler/graph_encoder.h"

namespace calvern {
namespace {

// The directive's one value parameter, 0 to `maximum`.
std::optional<int> ReadByteParameter(Compilation& c, const KeywordEntry& directive, int maximum) {
  DirectiveParameters params;
  if (Failed(ReadDirectiveParameters(c, directive, params))) return std::nullopt;
  std::optional<long long> value = c.ValueOf(params.slot[1], directive.Keyword());
  if (!value) return std::nullopt;
  if (*value < 0 || *value > maximum) {
    (void)c.Fail(kDataValueOutOfRange, std::string(directive.Keyword()) + " " + params.slot[1]);
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

// The calculator reads the table as consecutive entries: nothing may be written between the
// height byte, the entries and the closing FF.
Status CheckTableContinues(Compilation& c, std::string_view directive) {
  const OpenFont& font = c.Font;
  const int expected = font.start + 1 + 4 * static_cast<int>(font.characters.size());
  if (c.Out.CurrentStep() != expected) return c.Fail(kFontTableInterrupted, directive);
  return Status::kDone;
}

Status StartFont(Compilation& c, const KeywordEntry& directive) {
  if (c.Font.open) return c.Fail(kFontTwice);
  const long long line = c.CurrentLine();
  std::optional<int> height = ReadByteParameter(c, directive, 255);
  if (!height) return Status::kFailed;
  c.Font = OpenFont{.open = true, .start = c.Out.CurrentStep(), .height = *height, .line = line};
  c.Out.EmitData(*height, "FONT H");
  return Status::kDone;
}

Status DefineCharacter(Compilation& c, const KeywordEntry& directive) {
  if (!c.Font.open) return c.Fail({.message = kWithout, .lead = "#DEFCHAR", .detail = "#FONT"});
  if (Failed(CheckTableContinues(c, directive.Keyword()))) return Status::kFailed;
  // FF ends the table, so it is no character code.
  std::optional<int> code = ReadByteParameter(c, directive, 254);
  if (!code) return Status::kFailed;
  c.Out.EmitData(*code, "CHAR(" + std::to_string(*code) + ")");
  DotGrid grid(0, 0);
  if (Failed(ReadGraphRows(c, directive.Keyword(), grid))) return Status::kFailed;
  OpenFont& font = c.Font;
  if (grid.Height() != font.height) return c.Fail(kCharHeightMismatch);
  const int offset = static_cast<int>(font.bitmaps.size());
  c.Out.EmitData(grid.Width(), "Width");
  std::vector<std::uint8_t> columns = ColumnBytes(grid);
  font.bitmaps.insert(font.bitmaps.end(), columns.begin(), columns.end());
  // The offset counts from the bitmap area for now; #ENDFONT adds the table's length.
  font.characters.push_back(
      {.code = *code, .offsetCell = c.Out.CurrentStep(), .bitmapOffset = offset});
  c.Out.EmitData(offset >> 8, "OFH", CellKind::kOffset);
  c.Out.EmitData(offset & 0xFF, "OFL", CellKind::kOffset);
  return c.Stopped() ? Status::kFailed : Status::kDone;
}

Status EndFont(Compilation& c) {
  if (!c.Font.open) return c.Fail({.message = kWithout, .lead = "#ENDFONT", .detail = "#FONT"});
  if (Failed(CheckTableContinues(c, "#ENDFONT"))) return Status::kFailed;
  const OpenFont font = std::move(c.Font);
  c.Font = OpenFont();
  c.Out.EmitData(0xFF, "END");
  const int bitmapStart = c.Out.CurrentStep();
  const int distance = bitmapStart - font.start;
  std::vector<std::string> keys(font.bitmaps.size(), "BYTE");
  for (const FontCharacter& ch : font.characters) {
    if (ch.bitmapOffset < static_cast<int>(keys.size())) {
      keys[ch.bitmapOffset] = "CHAR(" + std::to_string(ch.code) + ")";
    }
  }
  for (std::size_t k = 0; k < font.bitmaps.size() && !c.Stopped(); ++k) {
    c.Out.EmitData(font.bitmaps[k], keys[k]);
  }
  if (c.Stopped()) return Status::kFailed;
  for (const FontCharacter& ch : font.characters) {
    const int offset = ch.bitmapOffset + distance;
    c.Out.Fill(ch.offsetCell, CellKind::kOffset, offset >> 8,
               "OFH(" + std::to_string(bitmapStart + ch.bitmapOffset) + ")");
    c.Out.Fill(ch.offsetCell + 1, CellKind::kOffset, offset & 0xFF, "OFL");
  }
  return Status::kDone;
}

}  // namespace

Status CompileFontDirective(Compilation& c, const KeywordEntry& directive) {
  // \UserFont addresses program steps; a font in the binary zone could never be selected.
  if (c.Out.InBinaryZone()) return c.Fail(kFontInBinaryZone, directive.Keyword());
  switch (directive.index) {
    case kDirFont:
      return StartFont(c, directive);
    case kDirDefchar:
      return DefineCharacter(c, directive);
    default:
      return EndFont(c);
  }
}

}  // namespace calvern
