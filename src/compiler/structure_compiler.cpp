#include "compiler/structure_compiler.h"

#include "compiler/compilation.h"

namespace calvern {

Status CompileStructure(Compilation& c, const KeywordEntry& keyword) {
  using S = StructureKeyword;
  switch (keyword.structure) {
    case S::kFor:
      return CompileFor(c);
    case S::kNext:
      return CompileLoopEnd(c, true);
    case S::kDo:
      return PushStructure(c, {.kind = StructureKind::kDo});
    case S::kLoop:
      return CompileLoopEnd(c, false);
    case S::kRepeat:
      return PushStructure(c, {.kind = StructureKind::kRepeat});
    case S::kUntil:
      return CompileUntil(c, keyword.test);
    case S::kWhile:
      return CompileForwardJump(c, true, keyword.test);
    case S::kIfThen:
      return CompileForwardJump(c, false, keyword.test);
    case S::kEndIf:
      return CompileEndIf(c);
    case S::kElse:
      return CompileElse(c);
    case S::kSumOrMul:
      return CompileSumOrMul(c, keyword);
    case S::kSelect:
      return CompileSelect(c);
    case S::kCase:
      return CompileCase(c, keyword);
    case S::kDefault:
      return CompileDefault(c);
    default:
      return CompileEndSelect(c);
  }
}

Status PushStructure(Compilation& c, StructureEntry entry) {
  if (c.Structures.Full()) return c.Fail(kStructuresTooDeep, OpenStructureName(entry));
  entry.step = c.Out.CurrentStep();
  entry.line = c.CurrentLine();
  // Loops come back to their first step: the step where they open.
  if (entry.kind == StructureKind::kFor || entry.kind == StructureKind::kDo ||
      entry.kind == StructureKind::kRepeat) {
    entry.value = entry.step;
  }
  c.Structures.Push(std::move(entry));
  return Status::kDone;
}

Status Without(Compilation& c, std::string_view keyword, std::string_view opener) {
  return c.Fail({.message = kWithout, .lead = std::string(keyword), .detail = std::string(opener)});
}

std::string OpenStructureName(const StructureEntry& entry) {
  switch (entry.kind) {
    case StructureKind::kFor:
      return "FOR";
    case StructureKind::kRepeat:
      return "REPEAT";
    case StructureKind::kIf:
      return "IF(test)THEN";
    case StructureKind::kDo:
      return "DO";
    case StructureKind::kWhile:
      return "WHILE";
    case StructureKind::kSelect:
      return "SELECT";
    default:
      return "CASE";
  }
}

}  // namespace calvern
