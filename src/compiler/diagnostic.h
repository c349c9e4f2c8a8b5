// What a compilation reports: the first error that stopped it, and warnings. The compiler
// records facts (a message number, the text around it, the place); the shell, slave mode and
// the command line turn them into their own texts.
#pragma once

#include <optional>
#include <string>

#include "tables/message_table.h"

namespace calvern {

enum class DiagnosticKind {
  kStatement,            // a statement failed: the message, at its line
  kUnresolvedReference,  // a label was used and never defined: detail is its name
  kOpenStructure,        // the source ended inside a structure: detail is its keyword
  kWarning,              // compiled all the same
};

// The largest line number a report can carry: slave mode's result code, 10 + 256 x line,
// must fit a 32-bit exit code.
inline constexpr long long kLargestReportedLine = (0x7FFFFFFF - 10) / 256;

struct Diagnostic {
  DiagnosticKind kind = DiagnosticKind::kStatement;
  MessageId message = kMarker0;
  std::string lead;    // fixed text in front of the message ("NEXT" in "NEXT without FOR.")
  std::string detail;  // text after the message (a token, a directive name...)
  // A second message after the detail, with its own detail: why a picture file could not be
  // loaded ("Can't load image! logo.bmp: " + "the file ends inside the picture").
  std::optional<MessageId> reason;
  std::string reasonDetail;
  // Blanks in front of the text in the status line: three, as a rule; the radio-button
  // conversions and #GOTOMENU have always shown two.
  int indent = 3;
  long long line = 0;  // source line as the user counts it (#FirstLine applied)
  int column = 0;      // column of the offending token's first character, from 1; 0 unknown
  int step = 0;        // open structure: the step where it opened
  int menuLines = 0;   // the warning of a tall menu: its height in pixel lines (detail: its number)
  int font = -1;       // a character without a glyph: the font (detail: the character)
  long long otherLine = 0;  // a cell written twice: the line that wrote it before (step: the cell)
};

// The outcome of a statement handler. A failure has been recorded as a diagnostic already.
enum class [[nodiscard]] Status{kDone, kFailed};

inline bool Failed(Status s) { return s == Status::kFailed; }

}  // namespace calvern
