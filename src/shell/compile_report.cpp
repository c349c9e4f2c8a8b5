#include "shell/compile_report.h"

namespace calvern {

std::string ShortenedText(const std::string& text, std::size_t longest) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    // A character begins at every byte that does not continue a UTF-8 sequence.
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && characters++ == longest) {
      return text.substr(0, at) + "...";
    }
  }
  return text;
}

std::string PrintedText(const Diagnostic& d, const MessageTable& m) {
  // Worded by the compiler, with the source's own texts cut first.
  Diagnostic readable = d;
  readable.detail = ShortenedText(d.detail, kLongestToken);
  readable.lead = ShortenedText(d.lead, kLongestToken);
  return DiagnosticText(readable, m);
}

std::string MoreWarningsText(std::size_t warnings, const MessageTable& m) {
  if (warnings <= kWarningsShown) return std::string();
  return std::to_string(warnings - kWarningsShown) + m[kMoreWarnings];
}

std::string FileProblemText(platform::FileProblem problem, const MessageTable& m) {
  using platform::FileProblem;
  switch (problem) {
    case FileProblem::kNone:
      return std::string();
    case FileProblem::kMissing:
      return m[kFileDoesNotExist];
    case FileProblem::kNoDirectory:
      return m[kDirectoryDoesNotExist];
    case FileProblem::kDirectory:
      return m[kIsADirectory];
    case FileProblem::kNotRegular:
      return m[kNotARegularFile];
    case FileProblem::kNoPermission:
      return m[kPermissionDenied];
    case FileProblem::kLinkLoop:
      return m[kTooManyLinks];
    case FileProblem::kTooLarge:
      // Only a source is refused for its size.
      return m[kSourceTooLarge];
  }
  return std::string();
}

std::string BecauseOf(platform::FileProblem problem, const MessageTable& m) {
  std::string text = FileProblemText(problem, m);
  return text.empty() ? text : ": " + text;
}

StatusLines ErrorStatusLines(const Diagnostic& d, const MessageTable& m) {
  StatusLines lines;
  if (d.kind == DiagnosticKind::kStatement) {
    lines[1] = m[kErrorAtLine] + std::to_string(d.line);
    lines[2] = std::string(d.indent, ' ') + PrintedText(d, m);
  } else {
    lines[1] = PrintedText(d, m);
  }
  return lines;
}

StatusLines CompileStatusLines(const CompileJobResult& result, const MessageTable& m) {
  StatusLines lines;
  switch (result.outcome) {
    case JobOutcome::kCantOpenSource:
    case JobOutcome::kCantCreateListing:
      lines[1] =
          m[result.outcome == JobOutcome::kCantOpenSource ? kCantOpenSource : kCantCreateOutput];
      // The reason, when the file system gives one, indented as an error's detail.
      if (std::string why = FileProblemText(result.fileProblem, m); !why.empty()) {
        lines[2] = "   " + why;
      }
      break;
    case JobOutcome::kCompileError:
      lines = ErrorStatusLines(*result.error, m);
      break;
    case JobOutcome::kCompiled:
      lines[1] = m[kCompilationSuccessful];
      lines[2] = m[kFirstFreeStep] + std::to_string(result.firstFreeStep);
      if (!result.warnings.empty()) lines[3] = "  " + WarningText(result.warnings.front(), m);
      break;
    case JobOutcome::kCantWriteMkFile:
      lines[1] = m[kCompilationSuccessful];
      lines[2] = m[kFirstFreeStep] + std::to_string(result.firstFreeStep);
      lines[3] = "  " + MkFileFailure(result, m);
      break;
  }
  return lines;
}

std::string MkFileFailure(const CompileJobResult& result, const MessageTable& m) {
  switch (result.mkRefusal) {
    case MkFileRefusal::kWouldOverwrite:
      return m[kOutputWouldOverwrite] + result.failedFile;
    case MkFileRefusal::kNoName:
      return m[kMkBaseWithoutName] + result.failedFile;
    case MkFileRefusal::kCantWrite:
      break;
  }
  return m[kCantWriteMkFile] + result.failedFile + BecauseOf(result.fileProblem, m);
}

std::string WarningText(const Diagnostic& warning, const MessageTable& m) {
  return PrintedText(warning, m) + WarningPlace(warning, m);
}

}  // namespace calvern
