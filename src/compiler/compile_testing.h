// For the compiler's unit tests: compiles a text and shows the outcome as the menu shows it
// (status lines 1 and 2) next to the image cells.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "compiler/diagnostic_text.h"
#include "tables/message_table.h"

namespace calvern {

using Texts = std::vector<std::string>;
inline const std::string kData = "\xC2\xB2";

// n one-step statements: moves the next instruction to step n.
inline std::string Filler(int steps) {
  std::string text;
  for (int i = 0; i < steps; ++i) text += " ENT";
  return text + "\n";
}

// An error in the two status lines the menu shows: where, and (for a failed statement) what.
// The words are the compiler's own (diagnostic_text.h); their arrangement in the status lines
// is the shell's, checked end to end.
struct TestStatus {
  std::array<std::string, 3> lines;
  const std::string& operator[](int n) const { return lines[n - 1]; }
};

inline TestStatus ErrorStatus(const Diagnostic& d, const MessageTable& m) {
  TestStatus status;
  if (d.kind == DiagnosticKind::kStatement) {
    status.lines[0] = m[kErrorAtLine] + std::to_string(d.line);
    status.lines[1] = std::string(d.indent, ' ') + DiagnosticText(d, m);
  } else {
    status.lines[0] = DiagnosticText(d, m);
  }
  return status;
}

class TestCompiler {
 public:
  // Compiles `text`: 0 when it compiled, 1 after an error (then in Status).
  int CompileText(std::string text, const CompileOptions& options = {}) {
    result_ = CompileProgram(std::move(text), options);
    Status = result_.error ? ErrorStatus(*result_.error, messages_) : TestStatus();
    return result_.Ok() ? 0 : 1;
  }
  const CompileResult& Result() const { return result_; }
  const CompiledProgram& Program() const { return result_.program; }
  int CurrentStep() const { return result_.program.firstFreeStep; }
  std::string Code(int cell) const { return Program().image.CodeText(cell); }
  Texts Codes(int from, int count) const {
    Texts codes;
    for (int k = 0; k < count; ++k) codes.push_back(Code(from + k));
    return codes;
  }
  // The keys as the calculator's listing text holds them: a data cell's begin with "²".
  Texts Keys(int from, int count) const {
    Texts keys;
    for (int k = 0; k < count; ++k) {
      const MemoryImage& image = Program().image;
      keys.push_back((image.IsData(from + k) ? kData : "") + std::string(image.Keys(from + k)));
    }
    return keys;
  }

  TestStatus Status;

 private:
  MessageTable messages_;
  CompileResult result_;
};

}  // namespace calvern
