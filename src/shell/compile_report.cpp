#include "shell/compile_report.h"

namespace calvern {

namespace {

bool IsWrittenTwice(const Diagnostic& d) {
  return d.message == kStepWrittenTwice || d.message == kAddressWrittenTwice ||
         d.message == kRegisterWrittenTwice;
}

}  // namespace

std::string DiagnosticText(const Diagnostic& d, const MessageTable& m) {
  switch (d.kind) {
    // These name the line of the keyword or reference they are about.
    case DiagnosticKind::kOpenStructure:
      return m[kEndOfFile] + d.detail + " (" + m[kFromStep] + std::to_string(d.step) + ")" +
             m[kStructureNotClosed] + m[kLineSuffix] + std::to_string(d.line);
    case DiagnosticKind::kUnresolvedReference:
      return m[kUnresolvedReference] + d.detail + m[kLineSuffix] + std::to_string(d.line);
    default:
      if (IsWrittenTwice(d)) {  // "step 0000 written twice, lines 1 and 1"
        std::string number = std::to_string(d.step);
        number.insert(0, number.size() < 4 ? 4 - number.size() : 0, '0');
        return m[d.message] + number + m[kWrittenTwiceLines] + std::to_string(d.otherLine) +
               m[kAndWord] + std::to_string(d.line);
      }
      if (d.message == kWarningMenu) {  // "WARNING: menu 2 uses 70 lines (>64)"
        return m[kWarningMenu] + d.detail + m[kUses] + std::to_string(d.menuLines) +
               m[kLinesOver64];
      }
      return d.lead + m[d.message] + d.detail;
  }
}

StatusLines ErrorStatusLines(const Diagnostic& d, const MessageTable& m) {
  StatusLines lines;
  if (d.kind == DiagnosticKind::kStatement) {
    lines[1] = m[kErrorAtLine] + std::to_string(d.line);
    lines[2] = std::string(d.indent, ' ') + DiagnosticText(d, m);
  } else {
    lines[1] = DiagnosticText(d, m);
  }
  return lines;
}

StatusLines CompileStatusLines(const CompileJobResult& result, const MessageTable& m) {
  StatusLines lines;
  switch (result.outcome) {
    case JobOutcome::kCantOpenSource:
      lines[1] = m[kCantOpenSource];
      break;
    case JobOutcome::kCantCreateListing:
      lines[1] = m[kCantCreateOutput];
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
  return m[result.failedFileIsInput ? kOutputWouldOverwrite : kCantWriteMkFile] + result.failedFile;
}

std::string WarningText(const Diagnostic& warning, const MessageTable& m) {
  // A cell written twice names its lines itself.
  if (IsWrittenTwice(warning)) return DiagnosticText(warning, m);
  return DiagnosticText(warning, m) + m[kLineSuffix] + std::to_string(warning.line);
}

}  // namespace calvern
