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

// A quoted text as read: the calculator codes of its characters, and the text as written, in
// UTF-8 (for a file name on the computer, and for messages).
struct QuotedText {
  std::string codes;
  std::string written;
};

// Reads a text up to its closing double quote (the opening one is read already): a line end
// inside it, a byte 80-FF of an 8-bit source, or the end of the source, is an error naming
// `name`. A character the calculator has no code for is an error too, unless the text names a
// file on the computer (`forCalculator` false).
Status ReadUntilQuote(Compilation& c, std::string_view name, QuotedText& text,
                      bool forCalculator = true);

// Parameters of a directive, slots 1 upwards in signature order; with the "#?" prefix slots 10
// and 11 repeat the last two. A quoted text parameter holds its calculator codes (#LOADIMAGE's
// file name: the name as written); a text written as "(" register ")" holds the register number
// and names it in `textRegister` too, which is -1 for every other slot.
struct DirectiveParameters {
  DirectiveParameters() { textRegister.fill(-1); }
  std::array<std::string, 16> slot;
  std::array<int, 16> textRegister;
  int count = 0;
};

// Reads the parameters that the directive's signature asks for: "S" a quoted text (or "(" and
// an indirect register), "R" a direct register 0-99, anything else one token; `extraValues`
// more value tokens follow the signature.
Status ReadDirectiveParameters(Compilation& c, const KeywordEntry& directive,
                               DirectiveParameters& out, int extraValues = 0);

}  // namespace calvern
