// Compiles the "#" directives: dispatch by keyword, the shared parameter reader, and the
// settings directives (#reg, #FirstLine, #MKFiles, #LabelList, #OPTIM).
#pragma once

#include <array>
#include <string>

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

// Compiles a directive (group 0).
Status CompileDirective(Compilation& c, const KeywordEntry& directive);

// Reads a text up to its closing double quote (the opening one is read already): a line end
// or a byte 80-FF inside it, or the end of the source, is an error naming `name`.
Status ReadUntilQuote(Compilation& c, const std::string& name, std::string& text);

// Parameters of a directive, slots 1 upwards in signature order; with the "#?" prefix slots 10
// and 11 repeat the last two.
struct DirectiveParameters {
  std::array<std::string, 16> slot;
  int count = 0;
};

// Reads the parameters that the directive's signature asks for: "S" a quoted text (or "(" and
// an indirect register), "R" a direct register 0-99, anything else one token; `extraValues`
// more value tokens follow the signature.
Status ReadDirectiveParameters(Compilation& c, const KeywordEntry& directive,
                               DirectiveParameters& out, int extraValues = 0);

}  // namespace calvern
