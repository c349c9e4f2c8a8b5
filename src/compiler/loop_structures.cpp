// Loops and conditionals: FOR/NEXT, DO/LOOP, REPEAT/UNTIL, WHILE, IF/ELSE/ENDIF, SUM and MUL.
#include "compiler/compilation.h"
#include "compiler/instruction_encoder.h"
#include "compiler/structure_compiler.h"

namespace calvern {
namespace {

// A forward jump to a new internal label: long with two placeholder bytes, or with the "!"
// prefix the one-byte form with one. The reference is recorded at the first address byte.
Status EmitForwardJump(Compilation& c, const KeywordEntry& jump, StructureEntry entry) {
  const bool oneByte = c.Prefixes.shortJump;
  std::string label = c.NewInternalLabel();
  const int addressCell = c.Out.CurrentStep() + 1;
  entry.label = label;
  entry.oneByte = oneByte;
  if (Failed(PushStructure(c, std::move(entry)))) return Status::kFailed;
  EmitJump(c, jump, oneByte ? OperandKind::kAddressByte : OperandKind::kAddressPair, 0);
  return c.AwaitLabel(label, {.kind = oneByte ? PatchKind::kJumpOneByte : PatchKind::kJumpLong,
                              .cell = addressCell});
}

}  // namespace

Status CompileFor(Compilation& c) {
  std::optional<std::string> token = c.NextOperand();
  if (!token) return Status::kFailed;
  std::optional<RegisterOperand> reg = c.RegisterNumber(*token);
  if (!reg) return Status::kFailed;
  if (reg->indirect) return c.Fail(kUnavailableIndirectAddressingWith, "For.");
  // L0-L3 count registers 0-3 only; the program sets the register before FOR.
  if (reg->number > 3) return c.Fail(kForRegisters);
  return PushStructure(c, {.kind = StructureKind::kFor, .reg = reg->number});
}

// NEXT (closes FOR with L0-L3) and LOOP (closes DO with GOTO); either completes the exit jump
// of a WHILE inside the loop right after the loop instruction.
Status CompileLoopEnd(Compilation& c, bool isNext) {
  const char* keyword = isNext ? "NEXT" : "LOOP";
  const char* opener = isNext ? "FOR." : "DO.";
  const StructureEntry* entry = c.Structures.Pop();
  std::string whileLabel;  // the exit label of a WHILE inside the loop
  if (entry && entry->kind == StructureKind::kWhile) {
    whileLabel = entry->label;
    entry = c.Structures.Pop();
  }
  const StructureKind opening = isNext ? StructureKind::kFor : StructureKind::kDo;
  if (!entry || entry->kind != opening) return Without(c, keyword, opener);
  const KeywordEntry& jump = isNext ? c.Keywords.LoopInstruction(entry->reg) : c.Keywords.Goto();
  EmitJumpTo(c, jump, entry->value);
  if (!whileLabel.empty()) return c.DefineLabel(whileLabel + ":");
  return Status::kDone;
}

Status CompileUntil(Compilation& c, int test) {
  const StructureEntry* entry = c.Structures.Pop();
  if (!entry || entry->kind != StructureKind::kRepeat) return Without(c, "UNTIL", "REPEAT.");
  EmitJumpTo(c, c.Keywords.TestJump(test), entry->value);
  return Status::kDone;
}

// WHILE(test) inside FOR or DO, and IF(test)THEN: a jump taken when the test fails, to a label
// that NEXT/LOOP or ELSE/ENDIF define.
Status CompileForwardJump(Compilation& c, bool isWhile, int test) {
  if (isWhile) {
    const StructureEntry* inner = c.Structures.Innermost();
    if (!inner || (inner->kind != StructureKind::kDo && inner->kind != StructureKind::kFor)) {
      return Without(c, "WHILE", "FOR/DO.");
    }
  }
  return EmitForwardJump(
      c, c.Keywords.TestJump(test),
      {.kind = isWhile ? StructureKind::kWhile : StructureKind::kIf, .ifLine = c.CurrentLine()});
}

Status CompileEndIf(Compilation& c) {
  const StructureEntry* entry = c.Structures.Pop();
  if (!entry || entry->kind != StructureKind::kIf) return Without(c, "ENDIF", "IF.");
  return c.DefineLabel(entry->label + ":");
}

// ELSE: the true branch jumps over the false one, which starts where the IF's jump lands. One
// IF has one ELSE: a second would run both branches.
Status CompileElse(Compilation& c) {
  const StructureEntry* entry = c.Structures.Pop();
  if (!entry || entry->kind != StructureKind::kIf) return Without(c, "ELSE", "IF.");
  const long long ifLine = entry->ifLine;
  if (entry->afterElse) return c.Fail(kSecondElse, std::to_string(ifLine));
  const std::string falseBranch = entry->label;
  if (Failed(EmitForwardJump(c, c.Keywords.Goto(),
                             {.kind = StructureKind::kIf, .afterElse = true, .ifLine = ifLine}))) {
    return Status::kFailed;
  }
  return c.DefineLabel(falseBranch + ":");
}

// SUM r and MUL r: RCL r, then + or *, then STO r.
Status CompileSumOrMul(Compilation& c, const KeywordEntry& keyword) {
  std::optional<std::string> token = c.NextOperand();
  if (!token) return Status::kFailed;
  std::optional<RegisterOperand> reg = c.RegisterNumber(*token);
  if (!reg) return Status::kFailed;
  if (reg->indirect && reg->number > 99) return c.Fail(kIndirectRegisterAbove99);
  if (Failed(EmitRegisterInstruction(c, c.Keywords.Recall(), *reg))) return Status::kFailed;
  EmitKey(c, c.Keywords.Entry(keyword.arithmeticKey));
  return EmitRegisterInstruction(c, c.Keywords.Store(), *reg);
}

}  // namespace calvern
