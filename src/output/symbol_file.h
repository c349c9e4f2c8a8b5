// The symbol file: what a compilation named and where it put things, as JSON for other tools
// (debuggers, emulator front ends, editors' outlines).
#pragma once

#include <string>

#include "compiler/compile.h"

namespace calvern {

// {"labels": [{"name", "zone": "program", "step"} or {"name", "zone": "binary", "address"}],
//  "registers": [{"name", "register"}],
//  "zones": {"program" | "binary" | "decimal": {"used": {"first", "last"} or null,
//            "firstFree"}}}
// Labels that structures and generated code define are left out, as in the listing.
std::string SymbolFileText(const CompiledProgram& program);

}  // namespace calvern
