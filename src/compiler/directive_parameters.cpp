// The parameter reader shared by the directives that declare their operands by signature.
#include "compiler/compilation.h"
#include "compiler/directive_compiler.h"

namespace calvern {
namespace {

// A quoted text, or "(" and an indirect register for a text held in the binary zone.
Status ReadTextParameter(Compilation& c, const std::string& directive, std::string& text) {
  int ch = c.Source().SkipBlanks();
  if (ch == '(') {
    std::optional<std::string> token = c.NextOperand(kUnexpectedEndOfFileIn, directive);
    if (!token) return Status::kFailed;
    std::optional<RegisterOperand> reg = c.RegisterNumber("(" + *token);
    if (!reg) return Status::kFailed;
    if (!reg->indirect) return c.Fail(kInvalidStringIn, directive);
    text = std::string(kDataMark) + "~" + kDataMark + "~" + std::to_string(reg->number);
    return Status::kDone;
  }
  if (ch != '"') return c.Fail(kInvalidStringIn, directive);
  return ReadUntilQuote(c, directive, text);
}

}  // namespace

Status ReadUntilQuote(Compilation& c, const std::string& name, std::string& text) {
  Tokenizer& source = c.Source();
  text.clear();
  for (;;) {
    if (source.AtEnd()) return c.FailAtStatement(kUnexpectedEndOfFileIn, name);
    int ch = source.ReadTextChar();
    if (ch == '"') return Status::kDone;
    // Line ends and bytes 80-FF of the file (negative) cannot stand in a text; generated text
    // carries calculator characters above 7F of its own (the check mark of check boxes).
    if (ch < 32 && !(ch < 0 && source.Generated().On())) return c.Fail(kStringNotClosedIn, name);
    text.push_back(static_cast<char>(ch));
  }
}

Status ReadDirectiveParameters(Compilation& c, const KeywordEntry& directive,
                               DirectiveParameters& out, int extraValues) {
  const std::string& name = directive.keyword;
  std::string signature = directive.signature;
  if (c.Prefixes.conditionalForm) signature += "RS";
  signature.append(extraValues, 'V');
  out = DirectiveParameters();
  for (char letter : signature) {
    if (out.count + 1 >= static_cast<int>(out.slot.size())) {
      return c.Fail(kNotEnoughParametersIn, name);  // no signature is this long
    }
    std::string& param = out.slot[++out.count];
    if (letter == 'S') {
      if (Failed(ReadTextParameter(c, name, param))) return Status::kFailed;
      continue;
    }
    std::optional<std::string> token = c.NextOperand(kNotEnoughParametersIn, name);
    if (!token) return Status::kFailed;
    if (letter == 'R') {
      std::optional<RegisterOperand> reg = c.RegisterNumber(*token);
      if (!reg) return Status::kFailed;
      if (reg->indirect || reg->number > 99) return c.Fail(kRegisterOutOfRangeIn, name);
      param = std::to_string(reg->number);
    } else {
      param = *token;
    }
  }
  if (c.Prefixes.conditionalForm && out.count >= 2) {
    std::string secondToLast = out.slot[out.count - 1];
    std::string last = out.slot[out.count];
    out.slot[10] = std::move(secondToLast);
    out.slot[11] = std::move(last);
  }
  return Status::kDone;
}

}  // namespace calvern
