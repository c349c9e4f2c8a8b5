// From codes back to a source: the disassembler reads the memory that MK files or a code
// string hold and writes a source whose compilation gives the same bytes in every zone. It
// decodes the program zone through the instruction table, the same rows the compiler encodes
// with, puts a label at every jump, call and loop target, and writes data as data directives.
#pragma once

#include <string>

#include "output/mk_file_reader.h"
#include "output/symbol_file.h"

namespace calvern {

// The source for the memory, with the names of the symbol file where they fit. `origin` says
// in the header comment where the codes came from ("prog.MKP, prog.MKB").
std::string DisassembledSource(const MkImage& memory, const SymbolNames& names,
                               const std::string& origin);

}  // namespace calvern
