#include "shell/editor_diagnostics.h"

#include <gtest/gtest.h>

namespace calvern {
namespace {

std::string Repeated(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

// Places that are unknown are left out, and the blanks messages carry for the status lines
// are not part of an editor's text.
TEST(EditorDiagnostics, PlaceKindAndBareText) {
  MessageTable messages;
  messages.LoadDefaultMessages();
  struct Case {
    Diagnostic diagnostic;
    std::string line;
  };
  const std::vector<Case> cases = {
      {{.message = kUnknownRegister, .detail = "COUNTER", .line = 12, .column = 7},
       "p.txt:12:7: error: unknown register COUNTER"},
      {{.message = kUnknownRegister, .detail = "X  \r", .line = 3},
       "p.txt:3: error: unknown register X"},
      {{.kind = DiagnosticKind::kWarning,
        .message = kUnknownRegister,
        .detail = "Y",
        .line = 4,
        .column = 1},
       "p.txt:4:1: warning: unknown register Y"},
      {{.kind = DiagnosticKind::kUnresolvedReference, .detail = "L"},
       "p.txt: error: unresolved reference L"},
      {{.kind = DiagnosticKind::kUnresolvedReference, .detail = "L", .line = 9},
       "p.txt:9: error: unresolved reference L"},
      // A token of any length is cut after 100 characters, a UTF-8 letter staying whole.
      {{.message = kUnknownInstruction, .detail = std::string(100, 'Q'), .line = 1},
       "p.txt:1: error: unknown instruction " + std::string(100, 'Q')},
      {{.message = kUnknownInstruction, .detail = std::string(101, 'Q'), .line = 1},
       "p.txt:1: error: unknown instruction " + std::string(100, 'Q') + "..."},
      {{.kind = DiagnosticKind::kUnresolvedReference, .detail = "A" + Repeated("Ж", 120)},
       "p.txt: error: unresolved reference A" + Repeated("Ж", 99) + "..."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EditorDiagnosticLine("p.txt", c.diagnostic, messages), c.line);
}

}  // namespace
}  // namespace calvern
