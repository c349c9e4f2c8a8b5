// The listing: every used program step with its code and keys, the binary and decimal zones
// when used, the labels and the registers referred to by name.
#pragma once

#include <string>

#include "compiler/compile.h"

namespace calvern {

// The listing text, lines ending in CR LF, UTF-8.
std::string ListingText(const CompiledProgram& program);

}  // namespace calvern
