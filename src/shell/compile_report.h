// Turns what a compilation reports into the texts the user reads: the status lines under the
// menu (and, joined, the report of slave mode).
#pragma once

#include <string>

#include "compiler/diagnostic.h"
#include "compiler/diagnostic_text.h"
#include "job/compile_job.h"
#include "shell/status_lines.h"
#include "tables/message_table.h"

namespace calvern {

// The text of a diagnostic as it is printed (DiagnosticText): the source's own text in it (a
// token, a label), which may be of any length, is cut after kLongestToken characters, and
// "..." shows the cut.
std::string PrintedText(const Diagnostic& diagnostic, const MessageTable& messages);
inline constexpr std::size_t kLongestToken = 100;

// The text cut after `longest` characters (not bytes: a UTF-8 letter stays whole), with "..."
// after the cut; a shorter text stays as it is.
std::string ShortenedText(const std::string& text, std::size_t longest);

// How many warnings are printed one by one; the others are only counted.
inline constexpr std::size_t kWarningsShown = 5;

// "99985 more warnings not shown" when there are more than kWarningsShown; empty otherwise.
std::string MoreWarningsText(std::size_t warnings, const MessageTable& messages);

// What the file system tells against a file, as a text: "the file does not exist", "it is a
// directory"...; empty when it tells nothing.
std::string FileProblemText(platform::FileProblem problem, const MessageTable& messages);

// ": " and the text of the problem, to follow a file's name; empty when nothing is known.
std::string BecauseOf(platform::FileProblem problem, const MessageTable& messages);

// "Can't write MK file dir/prog.MKP" with the reason, or why it must not be written.
std::string MkFileFailure(const CompileJobResult& result, const MessageTable& messages);

// A warning with the line it is about: "WARNING: ... A, line 3".
std::string WarningText(const Diagnostic& warning, const MessageTable& messages);

// The status lines of an error: the position in line 1, the detail (indented as the menu has
// always shown it) in line 2.
StatusLines ErrorStatusLines(const Diagnostic& diagnostic, const MessageTable& messages);

// The status lines after a compilation job, successful or not.
StatusLines CompileStatusLines(const CompileJobResult& result, const MessageTable& messages);

}  // namespace calvern
