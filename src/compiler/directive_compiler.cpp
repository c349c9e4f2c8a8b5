#include "compiler/directive_compiler.h"

#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/form_directives.h"
#include "compiler/graphics_directives.h"
#include "compiler/menu_directives.h"
#include "compiler/numbers.h"
#include "compiler/routine_directives.h"

namespace calvern {
namespace {

// "#reg r name": gives register r a name that later operands may use.
Status CompileRegisterName(Compilation& c) {
  std::optional<std::string> operand = c.NextOperand();
  if (!operand) return Status::kFailed;
  std::optional<RegisterOperand> reg = c.RegisterNumber(*operand);
  if (!reg) return Status::kFailed;
  if (reg->indirect) return c.Fail(kUnavailableIndirectAddressing, *operand);
  std::optional<std::string> name = c.NextOperand();
  if (!name) return Status::kFailed;
  // Stored programs may hold such names, so they compile, with a warning: a name that reads as
  // a register number is never looked up, and of two registers with one name the lower wins.
  if (ReadsAsRegisterNumber(*name)) {
    c.Warn({.message = kRegisterNameIsANumber,
            .detail = *name,
            .line = c.CurrentLine(),
            .column = c.Source().TokenColumn()});
  } else if (int other = c.Names.registerNames.Find(*name); other >= 0 && other != reg->number) {
    c.Warn({.message = kRegisterNameGivenTwice,
            .detail = *name,
            .line = c.CurrentLine(),
            .column = c.Source().TokenColumn()});
  }
  // A register has one name: a new one makes the old one unknown (an I/O register's too).
  const std::string_view old = c.Names.registerNames.Name(reg->number);
  if (!old.empty() && old != *name) {
    c.Warn({.message = kRegisterRenamed,
            .detail = std::string(old),
            .line = c.CurrentLine(),
            .column = c.Source().TokenColumn()});
  }
  c.Names.registerNames.SetName(reg->number, *name);
  c.Names.namedRegisterUsed = true;
  return Status::kDone;
}

// #FirstLine n, #MKFiles n, #LabelList n, #OPTIM n. #LabelList and #OPTIM read any value other
// than 0 as on; #MKFiles and #FirstLine take only values that mean something.
Status CompileSetting(Compilation& c, const KeywordEntry& directive) {
  const int index = directive.index;
  std::optional<std::string> token =
      index == kDirOptim ? c.NextOperand(kUnexpectedEndOfFileIn, "#OPTIM") : c.NextOperand();
  if (!token) return Status::kFailed;
  std::optional<long long> operand = c.ValueOf(*token, directive.Keyword());
  if (!operand) return Status::kFailed;
  const long long value = *operand;
  SourceSwitches& s = c.Switches;
  switch (index) {
    case kDirFirstLine:
      // Every line after it must still be reported with its number.
      if (value < 0 || value > kLargestReportedLine) return c.Fail(kFirstLineRange, *token);
      s.firstLineNumber = value;
      break;
    case kDirMkFiles:
      if (value < 0 || value > 2) return c.Fail(kMkFilesValues, *token);
      s.mkFilesRequest = static_cast<int>(value);
      break;
    case kDirLabelList:
      s.listAllLabels = value != 0;
      break;
    default:  // #OPTIM
      s.optimise = value != 0;
      break;
  }
  return Status::kDone;
}

}  // namespace

Status CompileDirective(Compilation& c, const KeywordEntry& directive) {
  const int index = directive.index;
  switch (index) {
    case kDirReg:
      return CompileRegisterName(c);
    case kDirFirstLine:
    case kDirMkFiles:
    case kDirLabelList:
    case kDirOptim:
      return CompileSetting(c, directive);
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
      return CompileTextDirective(c, directive);
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
      return CompileTableDirective(c, directive);
    case kDirDal:
    case kDirDaf:
    case kDirDafk:
    case kDirOffset:
      return CompileAddressTable(c, directive);
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
      return CompileRoutineDirective(c, directive);
    case kDirDefgraph:
    case kDirFont:
    case kDirDefchar:
    case kDirEndfont:
    case kDirLoadimage:
      return CompileGraphicsDirective(c, directive);
    case kDirTab:
    case kDirLdx:
    case kDirLdy:
    case kDirType:
    case kDirAtype:
    case kDirLdadr:
    case kDirSqu:
    case kDirFrame:
    case kDirDrawp:
    case kDirDrawb:
    case kDirTxtp:
    case kDirTxtb:
    case kDirTxtk:
    case kDirPrexp:
    case kDirPrform:
    case kDirPrhex:
    case kDirMcall:
    case kDirRetum:
    case kDirLcall:
    case kDirRetul:
    case kDirJnez:
    case kDirJm:
    case kDirEnd:
      return CompileFormCode(c, directive);
    case kDirFormTable:
    case kDirDefineForm:
    case kDirFormFlags:
    case kDirFormInput:
    case kDirFormOutput:
    case kDirFormLeft:
    case kDirFormRight:
    case kDirFormMainProgram:
    case kDirFormElements:
    case kDirFormElementProgram:
      return CompileFormTableDirective(c, directive);
    case kDirEndStringInput:  // end of a generated line: back to the file
      c.Source().Generated().SwitchOff();
      return Status::kDone;
    default:
      // Everything else of group 0 belongs to the menu generator, #ENDMENUINPUT included.
      return CompileMenuDirective(c, directive);
  }
}

}  // namespace calvern
