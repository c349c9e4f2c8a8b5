#include "compiler/directive_compiler.h"

#include "compiler/compilation.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

// "#reg r name": gives register r a name that later operands may use.
int CompileRegisterName(Compilation& c) {
  std::string operand = c.NextUpperToken();
  if (operand.empty()) return c.Fail(kUnexpectedEndOfFile);
  std::optional<RegisterOperand> reg = c.RegisterNumber(operand);
  if (!reg) return 1;
  if (reg->indirect) return c.Fail(kUnavailableIndirectAddressing, operand);
  std::string name = c.NextUpperToken();
  if (name.empty()) return c.Fail(kUnexpectedEndOfFile);
  c.RegisterNames.SetName(reg->number, name);
  c.NamedRegisterUsed = true;
  return 0;
}

// The numeric operand of a settings directive; false after reporting a missing one.
bool ReadSettingValue(Compilation& c, int missingMessage, const std::string& detail,
                      long long& value) {
  std::string operand = c.NextUpperToken();
  if (operand.empty()) {
    c.Fail(missingMessage, detail);
    return false;
  }
  value = LeadingNumber(operand);
  return true;
}

int CompileSetting(Compilation& c, int index) {
  long long value = 0;
  int missing = index == kDirOptim ? kUnexpectedEndOfFileIn : kUnexpectedEndOfFile;
  std::string detail = index == kDirOptim ? "#OPTIM" : "";
  if (!ReadSettingValue(c, missing, detail, value)) return 1;
  switch (index) {
    case kDirFirstLine:
      c.FirstLineNumber = value;
      break;
    case kDirMkFiles:
      if (!c.SlaveMode) c.MkFilesMode = static_cast<int>(value);  // slave mode decides itself
      break;
    case kDirLabelList:
      c.ListAllLabels = static_cast<int>(value);
      break;
    case kDirOptim:
      c.OptimFlag = value == 0 ? 0 : -1;
      break;
  }
  return 0;
}

}  // namespace

int CompileDirective(Compilation& c, int index) {
  switch (index) {
    case kDirReg:
      return CompileRegisterName(c);
    case kDirFirstLine:
    case kDirMkFiles:
    case kDirLabelList:
    case kDirOptim:
      return CompileSetting(c, index);
    default:
      // Zones, data, graphics, forms, menus and routines come with later versions.
      return c.Fail(kDirectiveNotAvailable, c.Keywords.Keyword(index));
  }
}

}  // namespace calvern
