#include "compiler/diagnostic_text.h"

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
      if (d.message == kCharacterWithoutCode) {  // "character '€' has no calculator code"
        return m[kCharacterWithoutCode] + d.detail + m[kHasNoCalculatorCode];
      }
      if (d.message == kNoGlyphFor) {  // "WARNING: no glyph for 'Ж' in font 2"
        return m[kNoGlyphFor] + d.detail + m[kInFont] + std::to_string(d.font);
      }
      return d.lead + m[d.message] + d.detail + (d.reason ? m[*d.reason] + d.reasonDetail : "");
  }
}

std::string WarningPlace(const Diagnostic& warning, const MessageTable& m) {
  if (IsWrittenTwice(warning)) return std::string();
  return m[kLineSuffix] + std::to_string(warning.line);
}

}  // namespace calvern
