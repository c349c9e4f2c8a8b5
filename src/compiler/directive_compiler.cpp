#include "compiler/directive_compiler.h"

#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/numbers.h"
#include "compiler/routine_directives.h"

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
    case kDirProgram:
    case kDirBinary:
    case kDirBlock:
    case kDirBase:
    case kDirDecimal:
      return CompileZoneDirective(c, index);
    case kDirText:
    case kDirText0:
    case kDirTextn:
    case kDirFilename:
    case kDirFilenameid:
      return CompileTextDirective(c, index);
    case kDirNum:
    case kDirNum1:
    case kDirNum2:
    case kDirNum3:
      return CompileNumDirective(c, index);
    case kDirDb:
    case kDirDw:
    case kDirDl:
    case kDirDwk:
    case kDirInitb:
    case kDirInitw:
    case kDirInitl:
      return CompileTableDirective(c, index);
    case kDirDal:
    case kDirDaf:
    case kDirDafk:
    case kDirOffset:
      return CompileAddressTable(c, index);
    case kDirMove:
    case kDirRegtobin:
    case kDirBintoreg:
    case kDirLoadfile:
    case kDirDeletefile:
    case kDirCreatefile:
    case kDirOverwritefile:
    case kDirCopyfilename:
    case kDirAddfindfile:
    case kDirFindfile:
    case kDirFindfileid:
    case kDirRclXtoI:
    case kDirStoItoX:
      return CompileRoutineDirective(c, index);
    case kDirEndStringInput:  // end of a generated line: back to the file
      c.Source().Generated.SwitchOff();
      return 0;
    case kDirEndmenuinput:  // end of a generated menu: back to the file, menu collection over
      c.Source().Generated.SwitchOff();
      c.MenuBase = 0;
      c.MenuItemCount = -1;
      c.MenuIndex = -1;
      return 0;
    default:
      // Graphics, form codes, form tables and menus come with later versions.
      return c.Fail(kDirectiveNotAvailable, c.Keywords.Keyword(index));
  }
}

}  // namespace calvern
