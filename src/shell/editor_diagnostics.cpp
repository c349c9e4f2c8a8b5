#include "shell/editor_diagnostics.h"

#include <cctype>
#include <string>

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

// "Error: unresolved ..." and "WARNING: menu ..." name their severity, which the editor line
// already says in front: the word is dropped, not said twice.
std::string WithoutSeverityWord(const std::string& text) {
  for (const char* word : {"error:", "warning:"}) {
    const std::size_t length = std::char_traits<char>::length(word);
    if (text.size() < length) continue;
    bool same = true;
    for (std::size_t i = 0; i < length; ++i) {
      same = same && std::tolower(static_cast<unsigned char>(text[i])) == word[i];
    }
    if (same) return Trimmed(text.substr(length));
  }
  return text;
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
  // The place is said in front already: no ", line 12" at the end.
  std::string text = PrintedText(d, messages);
  const std::string lineSuffix = messages[kLineSuffix] + std::to_string(d.line);
  if (text.ends_with(lineSuffix)) text.erase(text.size() - lineSuffix.size());
  return line + WithoutSeverityWord(Trimmed(text));
}

}  // namespace calvern
