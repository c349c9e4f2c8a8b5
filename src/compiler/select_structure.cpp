// SELECT reg / CASE operand / DEFAULT / ENDSELECT. These emit nothing themselves: they write
// source text (RCL, a subtraction, a conditional jump, GOTO and labels) that the statement loop
// compiles next. Each CASE keeps three entries on the stack: SELECT's ("SE" + register, with
// the SELECT's serial number), its operand, and "CA" + its skip label.
#include "compiler/compilation.h"
#include "compiler/numbers.h"
#include "compiler/structure_compiler.h"

namespace calvern {
namespace {

// After popping a "CA" entry: the end label of its SELECT (two entries below) and the jump to
// it that ends the previous CASE body, followed by the definition of that CASE's skip label.
std::string EndPreviousCase(const Compilation& c) {
  int serial = c.Structures.Value(c.Structures.Depth() - 2);
  return "GOTO __label" + std::to_string(serial) + " " + c.Structures.PoppedTag().substr(2) + ":";
}

// The comparison that leaves register minus operand in X. A constant after a constant only
// corrects X by their difference; the same @register twice in a row needs no new RCL.
bool Comparison(const std::string& reg, const std::string& operand, const std::string& previous,
                std::string& text) {
  if (operand[0] == '$' && previous[0] == '$') {
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

int CompileSelect(Compilation& c) {
  std::string token = c.NextUpperToken();
  if (token.empty()) return c.Fail(kUnexpectedEndOfFile);
  if (!c.RegisterNumber(token)) return 1;
  return c.PushStructure("SE" + token, ++c.SerialCounter);
}

int CompileCase(Compilation& c, int index) {
  if (c.Structures.Pop() < 0) return Without(c, "CASE", "SELECT");
  std::string prefix;
  std::string previous = "??";
  if (TagIs(c.Structures.PoppedTag(), "SE")) {
    c.Structures.Restore();  // first CASE
  } else if (TagIs(c.Structures.PoppedTag(), "CA")) {
    prefix = EndPreviousCase(c);
    c.Structures.Pop();
    previous = c.Structures.PoppedTag();
  } else {
    return Without(c, "CASE", "SELECT");
  }
  std::string operand = c.NextUpperToken();
  if (operand == "RCL") {
    std::string reg = c.NextUpperToken();
    operand = reg.empty() ? std::string() : "@" + reg;  // CASE= RCL x is CASE= @x
  }
  if (operand.empty()) return c.Fail(kUnexpectedEndOfFile);
  const std::string reg = c.Structures.Tag(c.Structures.Depth() - 1).substr(2);
  std::string comparison;
  if (!Comparison(reg, operand, previous, comparison)) return c.Fail(kCaseParameter);
  if (c.PushStructure(operand)) return 1;
  std::string skip = "__" + c.NewInternalLabel();
  if (c.PushStructure("CA" + skip)) return 1;
  // CASE= gives x=0, CASE< gives x<0...: the jump to the skip label when the CASE fails.
  std::string relation = c.Keywords.Keyword(index).substr(4);
  return c.GenerateSource(1, prefix + comparison + " x" + relation + "0 " + skip);
}

int CompileDefault(Compilation& c) {
  if (c.Structures.Pop() < 0) return Without(c, "DEFAULT", "SELECT");
  if (TagIs(c.Structures.PoppedTag(), "SE")) {
    c.Structures.Restore();  // no CASE before: the body runs unconditionally
    return 0;
  }
  if (!TagIs(c.Structures.PoppedTag(), "CA")) return Without(c, "DEFAULT", "SELECT/Case");
  std::string text = EndPreviousCase(c);
  c.Structures.Pop();  // the last CASE's operand
  return c.GenerateSource(1, text);
}

int CompileEndSelect(Compilation& c) {
  int serial = c.Structures.Pop();
  if (serial < 0) return Without(c, "ENDSELECT", "SELECT");
  std::string text;
  if (TagIs(c.Structures.PoppedTag(), "CA")) {
    text = c.Structures.PoppedTag().substr(2) + ":";
    c.Structures.Pop();
    serial = c.Structures.Pop();
  } else if (!TagIs(c.Structures.PoppedTag(), "SE")) {
    return Without(c, "ENDSELECT", "SELECT/Case");
  }
  return c.GenerateSource(1, text + " __label" + std::to_string(serial) + ":");
}

}  // namespace calvern
