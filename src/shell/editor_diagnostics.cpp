#include "shell/editor_diagnostics.h"

#include "shell/compile_report.h"

namespace calvern {
namespace {

// Messages carry the blanks the status lines need; an editor wants the bare text.
std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string EditorDiagnosticLine(const std::string& file, const Diagnostic& d,
                                 const MessageTable& messages) {
  std::string line = file + ":";
  if (d.line > 0) {
    line += std::to_string(d.line) + ":";
    if (d.column > 0) line += std::to_string(d.column) + ":";
  }
  line += d.kind == DiagnosticKind::kWarning ? " warning: " : " error: ";
  return line + Trimmed(DiagnosticText(d, messages));
}

}  // namespace calvern
