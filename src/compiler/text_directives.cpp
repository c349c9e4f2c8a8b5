// #TEXT, #TEXT0, #TEXTN (texts for the calculator's print routines) and #FILENAME,
// #FILENAMEID (the 20-character names of the calculator's disk).
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/directive_compiler.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

void EmitText(Compilation& c, const std::string& text) {
  for (char ch : text) c.Out.EmitChar(static_cast<unsigned char>(ch));
}

Status CompileText(Compilation& c, int index) {
  const std::string name = index == kDirText ? "#TEXT" : index == kDirText0 ? "#TEXT0" : "#TEXTN";
  if (c.Source().SkipBlanks() != '"') return c.Fail(kInvalidStringIn, name);
  QuotedText text;
  if (Failed(ReadUntilQuote(c, name, text))) return Status::kFailed;
  DataPlacement placement(c.Out);
  if (index == kDirTextn) c.Out.EmitChar(10);
  EmitText(c, text.codes);
  if (index != kDirText) c.Out.EmitChar(0);
  return Status::kDone;
}

Status CompileFileName(Compilation& c, const KeywordEntry& directive) {
  DirectiveParameters params;
  if (Failed(ReadDirectiveParameters(c, directive, params))) return Status::kFailed;
  std::string name = params.slot[1];
  // A name is stored in the file's own bytes; a text held in a register has no place here.
  if (params.textRegister[1] >= 0) return c.Fail(kInvalidStringIn, directive.Keyword());
  if (name.size() > 20) return c.Fail(kFilenameTooLong);
  if (!name.empty() && name[0] == ' ') return c.Fail(kFilenameStartsWithSpace);
  long long id = 0;
  const bool withId = directive.index == kDirFilenameid;
  if (withId) {
    std::optional<long long> value = c.ValueOf(params.slot[2], "#FILENAMEID");
    if (!value) return Status::kFailed;
    id = *value;
    if (id < 0 || id > 255) return c.Fail(kDataValueOutOfRange, "#FILENAMEID " + params.slot[2]);
  }
  name.resize(20, ' ');
  DataPlacement placement(c.Out);
  EmitText(c, name);
  if (withId) c.Out.EmitData(static_cast<int>(id), "FileID");
  return Status::kDone;
}

}  // namespace

Status CompileTextDirective(Compilation& c, const KeywordEntry& directive) {
  if (directive.index == kDirFilename || directive.index == kDirFilenameid) {
    return CompileFileName(c, directive);
  }
  return CompileText(c, directive.index);
}

}  // namespace calvern
