// The symbol file: what a compilation named and where it put things, as JSON for other tools
// (debuggers, emulator front ends, editors' outlines).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/compile.h"

namespace calvern {

// {"labels": [{"name", "zone": "program", "step"} or {"name", "zone": "binary", "address"}],
//  "registers": [{"name", "register"}],
//  "zones": {"program" | "binary" | "decimal": {"used": {"first", "last"} or null,
//            "firstFree"}}}
// Labels that structures and generated code define are left out, as in the listing.
std::string SymbolFileText(const CompiledProgram& program);

// The names a symbol file gives, for the disassembler to write them back into a source.
struct SymbolNames {
  std::vector<std::pair<int, std::string>> programLabels;  // step, name, in the file's order
  std::vector<std::pair<int, std::string>> binaryLabels;   // binary address, name
  std::map<int, std::string> registers;                    // register number, name
};

// The names of a symbol file's text; entries that are not as SymbolFileText writes them are
// left out. nullopt when the text is no JSON object.
std::optional<SymbolNames> ReadSymbolFile(const std::string& text);

}  // namespace calvern
