// The words of a diagnostic, from the message table in use: what the status lines, slave mode
// and the editor lines all say about an error or a warning, without its place on the screen.
#pragma once

#include <string>

#include "compiler/diagnostic.h"
#include "tables/message_table.h"

namespace calvern {

// The text of a diagnostic without its place: "unknown register COUNTER" for a failed
// statement, "Error: unresolved reference X" for a label never defined...
std::string DiagnosticText(const Diagnostic& diagnostic, const MessageTable& messages);
// What a warning adds to its text to say where: ", line 3", or nothing for a warning whose text
// names its lines itself (a cell written twice).
std::string WarningPlace(const Diagnostic& warning, const MessageTable& messages);

}  // namespace calvern
