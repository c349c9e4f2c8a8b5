#include "compiler/structure_compiler.h"

#include "compiler/compilation.h"

namespace calvern {

// The code of a structure keyword starts with its kind; conditionals end with the test digit.
int CompileStructure(Compilation& c, int index) {
  const std::string& code = c.Keywords.Code(index);
  int kind = (code[0] - '0') * 10 + (code[1] - '0');
  int test = code.back() - '0';
  switch (kind) {
    case 0:
      return CompileFor(c);
    case 1:
      return CompileLoopEnd(c, true);
    case 2:
      return c.PushStructure("DO");
    case 3:
      return CompileLoopEnd(c, false);
    case 4:
      return c.PushStructure("RE");
    case 5:
      return CompileUntil(c, test);
    case 6:
      return CompileForwardJump(c, true, test);
    case 7:
      return CompileForwardJump(c, false, test);
    case 8:
      return CompileEndIf(c);
    case 9:
      return CompileElse(c);
    case 10:
      return CompileSumOrMul(c, index);
    case 11:
      return CompileSelect(c);
    case 12:
      return CompileCase(c, index);
    case 13:
      return CompileDefault(c);
    default:
      return CompileEndSelect(c);
  }
}

int Without(Compilation& c, const std::string& keyword, const std::string& opener) {
  return c.FailText("   " + keyword + c.Msg(kWithout) + opener);
}

bool TagIs(const std::string& tag, const char* kind) { return tag.compare(0, 2, kind) == 0; }

std::string OpenStructureName(const std::string& tag) {
  std::string kind = UpperCase(tag.substr(0, 2));
  if (kind == "FO") return "FOR";
  if (kind == "RE") return "REPEAT";
  if (kind == "IF") return "IF(test)THEN";
  if (kind == "DO") return "DO";
  if (kind == "WH") return "WHILE";
  if (kind == "SE") return "SELECT";
  return "CASE";  // the skip-label entry that a CASE leaves on top
}

}  // namespace calvern
