#include "shell/compile_report.h"

namespace calvern {

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
  return DiagnosticText(warning, m) + m[kLineSuffix] + std::to_string(warning.line);
}

}  // namespace calvern
