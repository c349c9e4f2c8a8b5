// The listing: every used program step with its code and keys, the binary and decimal zones
// when used, the labels and the registers referred to by name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "compiler/compile.h"

namespace calvern {

// The listing text, lines ending in CR LF, UTF-8.
std::string ListingText(const CompiledProgram& program);
// The same text handed to `write` a part at a time, in order; false when a part could not be
// written (nothing more is handed over after it).
bool WriteListing(const CompiledProgram& program,
                  const std::function<bool(std::string_view part)>& write);

}  // namespace calvern
