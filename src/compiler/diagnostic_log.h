// The one place where a compilation's problems are recorded: the first error, which stops the
// compilation, and the warnings.
#pragma once

#include <optional>
#include <vector>

#include "compiler/diagnostic.h"

namespace calvern {

class DiagnosticLog {
 public:
  // Records an error; only the first one counts.
  Status Fail(Diagnostic diagnostic) {
    if (!error_) error_ = std::move(diagnostic);
    return Status::kFailed;
  }
  void Warn(Diagnostic diagnostic) {
    diagnostic.kind = DiagnosticKind::kWarning;
    warnings_.push_back(std::move(diagnostic));
  }
  bool HasError() const { return error_.has_value(); }
  std::optional<Diagnostic>& Error() { return error_; }
  const std::optional<Diagnostic>& Error() const { return error_; }
  std::vector<Diagnostic>& Warnings() { return warnings_; }

 private:
  std::optional<Diagnostic> error_;
  std::vector<Diagnostic> warnings_;
};

}  // namespace calvern
