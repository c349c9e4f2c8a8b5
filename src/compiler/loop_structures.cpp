// Loops and conditionals: FOR/NEXT, DO/LOOP, REPEAT/UNTIL, WHILE, IF/ELSE/ENDIF, SUM and MUL.
#include "compiler/compilation.h"
#include "compiler/instruction_encoder.h"
#include "compiler/structure_compiler.h"

namespace calvern {
namespace {

bool TagIsAnyCase(const std::string& tag, const char* kind) {
  return UpperCase(tag.substr(0, 2)) == kind;
}

// The conditional jump for test t: x<0, x=0, x>=0 or x!=0.
int TestJump(const Compilation& c, int test) { return c.Keywords.GroupStart(kGroupJump) + test; }
int GotoKeyword(const Compilation& c) { return c.Keywords.GroupStart(kGroupJump) + 4; }

// A forward jump to an internal label: long with two placeholder bytes, or with ShortJumpFlag
// the one-byte form with one. Records the reference first, at the first address byte.
int EmitForwardJump(Compilation& c, int jump, const std::string& kind) {
  std::string label = c.NewInternalLabel();
  if (!c.AddressValue(label)) return 1;
  bool shortForm = c.ShortJumpFlag != 0;
  std::string tag = kind;  // "WH"/"IF" long, "wh"/"if" one byte
  if (shortForm) tag = kind == "WH" ? "wh" : "if";
  if (c.PushStructure(tag + label)) return 1;
  if (shortForm) c.ForwardRefs.SetLastOneByte();
  EmitJumpOpcode(c, jump, !shortForm);
  c.EmitStep(0, kNoPrefix, -1, "");
  if (!shortForm) c.EmitStep(0, kNoPrefix, -1, "");
  return 0;
}

}  // namespace

int CompileFor(Compilation& c) {
  std::string token = c.NextUpperToken();
  if (token.empty()) return c.Fail(kUnexpectedEndOfFile);
  std::optional<RegisterOperand> reg = c.RegisterNumber(token);
  if (!reg) return 1;
  if (reg->indirect) return c.Fail(kUnavailableIndirectAddressingWith, "For.");
  // L0-L3 count registers 0-3 only; the program sets the register before FOR.
  if (reg->number > 3) return c.Fail(kForRegisters);
  return c.PushStructure("FO" + std::to_string(reg->number));
}

// NEXT (closes FOR with L0-L3) and LOOP (closes DO with GOTO); either completes the exit jump
// of a WHILE inside the loop right after the loop instruction.
int CompileLoopEnd(Compilation& c, bool isNext) {
  const char* keyword = isNext ? "NEXT" : "LOOP";
  const char* opener = isNext ? "FOR." : "DO.";
  int start = c.Structures.Pop();
  if (start < 0) return Without(c, keyword, opener);
  std::string whileLabel;  // the exit label of a WHILE inside the loop
  if (TagIsAnyCase(c.Structures.PoppedTag(), "WH")) {
    whileLabel = c.Structures.PoppedTag().substr(2);
    start = c.Structures.Pop();
    if (start < 0) return Without(c, keyword, opener);
  }
  const std::string tag = c.Structures.PoppedTag();
  if (!TagIs(tag, isNext ? "FO" : "DO")) return Without(c, keyword, opener);
  int jump = isNext ? c.Keywords.GroupStart(kGroupLoop) + (tag.back() - '0') : GotoKeyword(c);
  EmitJumpTo(c, jump, start);
  if (!whileLabel.empty()) return c.DefineLabel(whileLabel + ":");
  return 0;
}

int CompileUntil(Compilation& c, int test) {
  int start = c.Structures.Pop();
  if (start < 0 || !TagIs(c.Structures.PoppedTag(), "RE")) return Without(c, "UNTIL", "REPEAT.");
  EmitJumpTo(c, TestJump(c, test), start);
  return 0;
}

// WHILE(test) inside FOR or DO, and IF(test)THEN: a jump taken when the test fails, to a label
// that NEXT/LOOP or ELSE/ENDIF define.
int CompileForwardJump(Compilation& c, bool isWhile, int test) {
  if (isWhile) {
    int depth = c.Structures.Depth();
    const std::string* inner = depth > 0 ? &c.Structures.Tag(depth - 1) : nullptr;
    if (!inner || !(TagIs(*inner, "DO") || TagIs(*inner, "FO"))) {
      return Without(c, "WHILE", "FOR/DO.");
    }
  }
  return EmitForwardJump(c, TestJump(c, test), isWhile ? "WH" : "IF");
}

int CompileEndIf(Compilation& c) {
  if (c.Structures.Pop() < 0) return Without(c, "ENDIF", "IF.");
  const std::string tag = c.Structures.PoppedTag();
  if (!TagIs(tag, "IF") && !TagIs(tag, "if")) return Without(c, "ENDIF", "IF.");
  return c.DefineLabel(tag.substr(2) + ":");
}

// ELSE: the true branch jumps over the false one, which starts where the IF's jump lands.
int CompileElse(Compilation& c) {
  if (c.Structures.Pop() < 0 || !TagIsAnyCase(c.Structures.PoppedTag(), "IF")) {
    return Without(c, "ELSE", "IF.");
  }
  const std::string tag = c.Structures.PoppedTag();
  if (EmitForwardJump(c, GotoKeyword(c), "IF")) return 1;
  return c.DefineLabel(tag.substr(2) + ":");
}

// SUM r and MUL r: RCL r, then + or *, then STO r.
int CompileSumOrMul(Compilation& c, int index) {
  std::string token = c.NextUpperToken();
  if (token.empty()) return c.Fail(kUnexpectedEndOfFile);
  std::optional<RegisterOperand> reg = c.RegisterNumber(token);
  if (!reg) return 1;
  if (reg->indirect && reg->number > 99) return c.Fail(kIndirectRegisterAbove99);
  const std::string& code = c.Keywords.Code(index);
  int op = c.Keywords.GroupStart(kGroupPlainKey) + std::stoi(code.substr(code.size() - 2));
  int rcl = c.Keywords.GroupStart(kGroupRegister);  // RM
  int sto = rcl + 1;                                // M
  EmitRegisterInstruction(c, rcl, *reg);
  c.EmitStep(op, kNoPrefix, -1, "");
  return EmitRegisterInstruction(c, sto, *reg);
}

}  // namespace calvern
