#include "compiler/diagnostic_text.h"

namespace calvern {

std::string DiagnosticText(const Diagnostic& d, const MessageTable& m) {
  switch (d.kind) {
    // These name the line of the keyword or reference they are about.
    case DiagnosticKind::kOpenStructure:
      return m[kEndOfFile] + d.detail + " (" + m[kFromStep] + std::to_string(d.step) + ")" +
             m[kStructureNotClosed] + m[kLineSuffix] + std::to_string(d.line);
    case DiagnosticKind::kUnresolvedReference:
      return m[kUnresolvedReference] + d.detail + m[kLineSuffix] + std::to_string(d.line);
    default:
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

}  // namespace calvern
