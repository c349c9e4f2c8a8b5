// SELECT reg / CASE operand / DEFAULT / ENDSELECT. These emit nothing themselves: they write
// source text (RCL, a subtraction, a conditional jump, GOTO and labels) that the statement loop
// compiles next. Each CASE keeps three entries on the stack: the SELECT's (its register and
// the serial number of its end label), its operand, and its skip label.
#include "compiler/compilation.h"
#include "compiler/numbers.h"
#include "compiler/structure_compiler.h"

namespace calvern {
namespace {

// After popping a CASE's skip entry: the jump to the SELECT's end label (two entries below)
// that ends the previous CASE body, followed by the definition of that CASE's skip label.
std::string EndPreviousCase(const Compilation& c, const std::string& skipLabel) {
  int serial = c.Structures.Below(1).value;
  return "GOTO __label" + std::to_string(serial) + " " + skipLabel + ":";
}

// A constant that is a plain integer, its sign included ("$12", "$-3", "$+5"): the difference
// of two of them is exact. (Compared with the register, "$+5" stays a bad number: a dollar
// number takes no plus sign.)
bool PlainInteger(const std::string& operand) {
  return operand[0] == '$' && WholeNumber(operand.substr(1));
}

// The comparison that leaves register minus operand in X. An integer constant after an integer
// constant only corrects X by their difference (X still holds the register minus the previous
// one); any other constant is compared with the register again. The same @register twice in a
// row needs no new RCL.
bool Comparison(const std::string& reg, const std::string& operand, const std::string& previous,
                std::string& text) {
  if (PlainInteger(operand) && PlainInteger(previous)) {
    long long d = LeadingNumber(operand.substr(1)) - LeadingNumber(previous.substr(1));
    if (d > 0) text = " $" + std::to_string(d) + " -";
    if (d < 0) text = " $" + std::to_string(-d) + " +";
    if (d == 0) text.clear();
    return true;
  }
  if (operand[0] == '$' || (operand[0] == '@' && operand != previous)) {
    text = " @" + reg + " " + operand + " -";
    return true;
  }
  text.clear();
  return operand[0] == '@';
}

}  // namespace

Status CompileSelect(Compilation& c) {
  std::optional<std::string> token = c.NextOperand();
  if (!token) return Status::kFailed;
  if (!c.RegisterNumber(*token)) return Status::kFailed;
  return PushStructure(c,
                       {.kind = StructureKind::kSelect, .value = c.NextSerial(), .text = *token});
}

Status CompileCase(Compilation& c, const KeywordEntry& keyword) {
  const StructureEntry* entry = c.Structures.Pop();
  if (!entry) return Without(c, "CASE", "SELECT");
  std::string prefix;
  std::string previous = "??";
  if (entry->kind == StructureKind::kSelect) {
    c.Structures.Restore();  // first CASE
  } else if (entry->kind == StructureKind::kCaseSkip) {
    prefix = EndPreviousCase(c, entry->label);
    previous = c.Structures.Pop()->text;
  } else {
    return Without(c, "CASE", "SELECT");
  }
  std::string operand = c.NextUpperToken();
  if (operand == "RCL") {
    std::string reg = c.NextUpperToken();
    operand = reg.empty() ? std::string() : "@" + reg;  // CASE= RCL x is CASE= @x
  }
  if (operand.empty()) return c.FailAtStatement(kUnexpectedEndOfFile);
  const std::string reg = c.Structures.Innermost()->text;
  std::string comparison;
  if (!Comparison(reg, operand, previous, comparison)) return c.Fail(kCaseParameter);
  if (Failed(PushStructure(c, {.kind = StructureKind::kCaseOperand, .text = operand}))) {
    return Status::kFailed;
  }
  std::string skip = "__" + c.NewInternalLabel();
  if (Failed(PushStructure(c, {.kind = StructureKind::kCaseSkip, .label = skip}))) {
    return Status::kFailed;
  }
  // CASE= gives x=0, CASE< gives x<0...: the jump to the skip label when the CASE fails.
  return c.GenerateLine(prefix + comparison + " x" + std::string(keyword.Relation()) + "0 " + skip);
}

Status CompileDefault(Compilation& c) {
  const StructureEntry* entry = c.Structures.Pop();
  if (!entry) return Without(c, "DEFAULT", "SELECT");
  if (entry->kind == StructureKind::kSelect) {
    c.Structures.Restore();  // no CASE before: the body runs unconditionally
    return Status::kDone;
  }
  if (entry->kind != StructureKind::kCaseSkip) return Without(c, "DEFAULT", "SELECT/Case");
  std::string text = EndPreviousCase(c, entry->label);
  c.Structures.Pop();  // the last CASE's operand
  return c.GenerateLine(text);
}

Status CompileEndSelect(Compilation& c) {
  const StructureEntry* entry = c.Structures.Pop();
  if (!entry) return Without(c, "ENDSELECT", "SELECT");
  std::string text;
  if (entry->kind == StructureKind::kCaseSkip) {
    text = entry->label + ":";
    c.Structures.Pop();
    entry = c.Structures.Pop();
  } else if (entry->kind != StructureKind::kSelect) {
    return Without(c, "ENDSELECT", "SELECT/Case");
  }
  return c.GenerateLine(text + " __label" + std::to_string(entry->value) + ":");
}

}  // namespace calvern
