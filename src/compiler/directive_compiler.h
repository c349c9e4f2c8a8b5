// Compiles the "#" directives: dispatch by keyword index, the shared parameter reader, and the
// settings directives (#reg, #FirstLine, #MKFiles, #LabelList, #OPTIM).
#pragma once

#include <array>
#include <string>

namespace calvern {

class Compilation;

// Compiles directive `index` (group 0). Returns 0, or 1 after an error.
int CompileDirective(Compilation& c, int index);

// Skips blanks (counting line feeds) and returns the next character, or 0 when the source
// ends first.
int SkipBlanks(Compilation& c);
// Reads a text up to its closing double quote (the opening one is read already): a line end
// or a byte 80-FF inside it, or the end of the source, is an error naming `name`.
int ReadUntilQuote(Compilation& c, const std::string& name, std::string& text);

// Parameters of a directive, slots 1 upwards in signature order; with the "#?" prefix slots 10
// and 11 repeat the last two.
struct DirectiveParameters {
  std::array<std::string, 16> slot;
  int count = 0;
};

// Reads the parameters that the directive's signature letters ask for: "S" a quoted text (or
// "(" and an indirect register), "R" a direct register 0-99, anything else one token.
// `extraValues` more value tokens follow the signature. Returns 0, or 1 after an error.
int ReadDirectiveParameters(Compilation& c, int index, int extraValues, DirectiveParameters& out);

}  // namespace calvern
