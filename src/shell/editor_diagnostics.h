// Compiler diagnostics in the form editors and build tools parse:
//   prog.txt:12:7: error: unknown register COUNTER
#pragma once

#include <string>

#include "compiler/diagnostic.h"
#include "tables/message_table.h"

namespace calvern {

// One line without its line end: the file as given, the line and column (each left out when
// unknown), "error" or "warning", and the text without the status line's indentation.
std::string EditorDiagnosticLine(const std::string& file, const Diagnostic& diagnostic,
                                 const MessageTable& messages);

}  // namespace calvern
