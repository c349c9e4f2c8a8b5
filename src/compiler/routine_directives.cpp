#include "compiler/routine_directives.h"

#include "compiler/compilation.h"
#include "compiler/directive_compiler.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

// The pointer register of each memory for #MOVE: universal byte buffer, program memory,
// graphic memory; the binary zone goes through indirect register 4 instead.
const char* MovePointer(char letter) {
  switch (letter) {
    case 'U':
      return "Index1";
    case 'P':
      return "Pptr";
    case 'G':
      return "GPtr";
    default:
      return nullptr;
  }
}

// #MOVE "SD": at run time X holds the byte count, Y the destination and Z the source address;
// register 3 counts the loop.
Status CompileMove(Compilation& c, const KeywordEntry& directive) {
  DirectiveParameters params;
  if (Failed(ReadDirectiveParameters(c, directive, params))) return Status::kFailed;
  std::string letters = UpperCase(params.slot[1].substr(0, 2));
  if (letters.size() < 2) return c.Fail(kMoveZoneLetters);
  char s = letters[0], d = letters[1];
  if ((s != 'B' && !MovePointer(s)) || (d != 'B' && !MovePointer(d))) {
    return c.Fail(kMoveZoneLetters);
  }
  if (s == d) return c.Fail(kMoveSameZones);
  std::string text;
  if (s == 'B') {
    std::string pd = MovePointer(d);
    text = "STO 3 ROT SET \\" + pd + " ROT STO 4 FOR 3 RCL (4) SET \\(" + pd + ")+ NEXT";
  } else if (d == 'B') {
    std::string ps = MovePointer(s);
    text = "STO 3 ROT STO 4 ROT SET \\" + ps + " FOR 3 GET \\(" + ps + ")+ STO (4) NEXT";
  } else {
    std::string ps = MovePointer(s), pd = MovePointer(d);
    text = "STO 3 ROT SET \\" + pd + " ROT SET \\" + ps + " FOR 3 GET \\(" + ps + ")+ SET \\(" +
           pd + ")+ NEXT";
  }
  return c.GenerateLine(text);
}

// The file search routine: findfile takes X = an identifier (-1 for any) and Y = the address
// of a 20-character name, and returns the directory line that holds it, or -1; findfileid
// takes the address of a name followed by its identifier byte.
const char* const kFindFileRoutine =
    "findfileid: ENT ENT $20 + prgm"
    " findfile: =4\tx<>y =5\t$64 =2 0 =\\Index0 For 2\t@2 1 - =\\GetDirLine\t@4 IF(x<0)THEN CX "
    "ELSE @\\(Index0) - ENDIF"
    " If(X=0)THEN 3 =\\Index1 @5 =\\PPtr $20 =3\tFor 3\t@\\(Index1)+ @\\(PPtr)+"
    " IF(x=0)THEN 1 STO 3 CX ELSE - ENDIF"
    " While(X=0) Next EndIf While(X<>0) Next If(X=0)THEN @2 1 - RTN EndIf 1 /-/ RTN";

// #RCLXtoI reg n and #STOItoX reg n: a radio-button line keeps its choice as the X coordinate
// 4 + k * option, with k = 120 / n.
Status CompileRadioConversion(Compilation& c, const KeywordEntry& directive) {
  const std::string_view name = directive.Keyword();
  std::string reg = c.NextUpperToken();
  std::string count = reg.empty() ? std::string() : c.NextUpperToken();
  if (count.empty())
    return c.FailAtStatement(
        {.message = kUnexpectedEndOfFileIn, .detail = std::string(name), .indent = 2});
  std::optional<long long> number = c.ValueOf(count, name);
  if (!number) return Status::kFailed;
  const long long n = *number;
  if (n <= 0) return c.Fail({.message = kBadValueIn, .detail = std::string(name), .indent = 2});
  std::string k = std::to_string(120 / n);
  if (directive.index == kDirRclXtoI) return c.GenerateLine("RCL " + reg + " 4 - $" + k + " /");
  return c.GenerateLine("ENT $" + k + " * 4 + STO " + reg);
}

}  // namespace

Status CompileRoutineDirective(Compilation& c, const KeywordEntry& directive) {
  switch (directive.index) {
    case kDirMove:
      return CompileMove(c, directive);
    case kDirRegtobin:
      return c.GenerateLine(
          "=3 ROT =4 ROT =5 CX =\\Index0 FOR 3 CX =\\Index1 8 =2 FOR 2 @(5) "
          "=\\(Index1)+ NEXT GET \\Xto8Bytes =(4) NEXT");
    case kDirBintoreg:
      return c.GenerateLine(
          "=3 ROT =4 ROT =5 CX =\\Index0 FOR 3 @(5) EXEC \\Xto8Bytes CX "
          "=\\Index1 8 =2 FOR 2 @\\(Index1)+ =(4) NEXT NEXT");
    // Disk operations: the disk control register, then \Load, \Delete, \Create or \OverWrite.
    case kDirLoadfile:
      return c.GenerateLine("SET 9128 EXEC 9123");
    case kDirDeletefile:
      return c.GenerateLine("SET 9128 EXEC 9124");
    case kDirCreatefile:
      return c.GenerateLine("SET 9128 EXEC 9125");
    case kDirOverwritefile:
      return c.GenerateLine("SET 9128 EXEC 9126");
    case kDirCopyfilename:
      return c.GenerateLine(
          "SET \\Pptr $20 STO 3 3 SET \\Index1 For 3 GET \\(Pptr)+ SET "
          "\\(Index1)+ Next");
    case kDirAddfindfile:
      return c.GenerateLine(kFindFileRoutine);
    case kDirFindfile:
      return c.GenerateLine("GOSUB FINDFILE");
    case kDirFindfileid:
      return c.GenerateLine("GOSUB FINDFILEID");
    default:
      return CompileRadioConversion(c, directive);
  }
}

}  // namespace calvern
