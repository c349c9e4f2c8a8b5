// #TEXT, #TEXT0, #TEXTN (texts for the calculator's print routines) and #FILENAME,
// #FILENAMEID (the 20-character names of the calculator's disk).
#include "compiler/byte_text.h"
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/data_placement.h"
#include "compiler/directive_compiler.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

// Reads the quoted text of #TEXT and its variants character by character.
int ReadText(Compilation& c, const std::string& name, std::string& text) {
  if (SkipBlanks(c) != '"') return c.Fail(kInvalidStringIn, name);
  return ReadUntilQuote(c, name, text);
}

void EmitText(Compilation& c, const std::string& text) {
  for (char ch : text) c.EmitStep(-static_cast<unsigned char>(ch), kCharByte, -1, "");
}

int CompileText(Compilation& c, int index) {
  const std::string name = index == kDirText ? "#TEXT" : index == kDirText0 ? "#TEXT0" : "#TEXTN";
  std::string text;
  if (ReadText(c, name, text)) return 1;
  DataPlacement placement(c);
  if (index == kDirTextn) c.EmitStep(-10, kCharByte, -1, "");
  EmitText(c, text);
  if (index != kDirText) c.EmitStep(0, kCharByte, -1, "");
  return 0;
}

int CompileFileName(Compilation& c, int index) {
  DirectiveParameters params;
  if (ReadDirectiveParameters(c, index, 0, params)) return 1;
  std::string name = params.slot[1];
  // A name is stored in the file's own bytes; a text held in a register has no place here.
  if (name.starts_with(kDataMark)) return c.Fail(kInvalidStringIn, c.Keywords.Keyword(index));
  if (name.size() > 20) return c.Fail(kFilenameTooLong);
  if (!name.empty() && name[0] == ' ') return c.Fail(kFilenameStartsWithSpace);
  long long id = 0;
  if (index == kDirFilenameid) {
    id = LeadingNumber(params.slot[2]);
    if (id < 0 || id > 255) return c.Fail(kDataValueOutOfRange, "#FILENAMEID " + params.slot[2]);
  }
  name.resize(20, ' ');
  DataPlacement placement(c);
  EmitText(c, name);
  if (index == kDirFilenameid)
    c.EmitCell(Hex2(static_cast<int>(id)), kDataMark + std::string("FileID"));
  return 0;
}

}  // namespace

int CompileTextDirective(Compilation& c, int index) {
  if (index == kDirFilename || index == kDirFilenameid) return CompileFileName(c, index);
  return CompileText(c, index);
}

}  // namespace calvern
