// The parameter reader shared by the directives that declare their operands by signature.
#include "compiler/compilation.h"
#include "compiler/directive_compiler.h"

namespace calvern {
namespace {

// A quoted text, or "(" and an indirect register for a text held in the binary zone.
int ReadTextParameter(Compilation& c, const std::string& directive, std::string& text) {
  int ch = SkipBlanks(c);
  if (ch == '(') {
    std::string token = c.NextUpperToken();
    if (token.empty()) return c.Fail(kUnexpectedEndOfFileIn, directive);
    std::optional<RegisterOperand> reg = c.RegisterNumber("(" + token);
    if (!reg) return 1;
    if (!reg->indirect) return c.Fail(kInvalidStringIn, directive);
    text = std::string(kDataMark) + "~" + kDataMark + "~" + std::to_string(reg->number);
    return 0;
  }
  if (ch != '"') return c.Fail(kInvalidStringIn, directive);
  return ReadUntilQuote(c, directive, text);
}

}  // namespace

int SkipBlanks(Compilation& c) {
  Tokenizer& source = c.Source();
  int ch = 0;
  while (!source.AtEnd() && ch <= 32) {
    ch = source.ReadSourceChar();
    source.CountLineFeed(ch);
  }
  return ch <= 32 ? 0 : ch;
}

int ReadUntilQuote(Compilation& c, const std::string& name, std::string& text) {
  Tokenizer& source = c.Source();
  text.clear();
  for (;;) {
    if (source.AtEnd()) return c.Fail(kUnexpectedEndOfFileIn, name);
    int ch = source.ReadSourceChar();
    if (ch == '"') return 0;
    // Line ends and bytes 80-FF (negative) cannot stand in a text.
    if (ch < 32) return c.Fail(kStringNotClosedIn, name);
    text.push_back(static_cast<char>(ch));
  }
}

int ReadDirectiveParameters(Compilation& c, int index, int extraValues, DirectiveParameters& out) {
  const std::string& directive = c.Keywords.Keyword(index);
  std::string signature = c.Keywords.Code(index);
  if (c.ConditionalForm) signature += "RS";
  signature.append(extraValues, 'V');
  out = DirectiveParameters();
  for (char letter : signature) {
    if (out.count + 1 >= static_cast<int>(out.slot.size())) {
      return c.Fail(kNotEnoughParametersIn, directive);  // no signature is this long
    }
    std::string& param = out.slot[++out.count];
    if (letter == 'S') {
      if (ReadTextParameter(c, directive, param)) return 1;
      continue;
    }
    std::string token = c.NextUpperToken();
    if (token.empty()) return c.Fail(kNotEnoughParametersIn, directive);
    if (letter == 'R') {
      std::optional<RegisterOperand> reg = c.RegisterNumber(token);
      if (!reg) return 1;
      if (reg->indirect || reg->number > 99) return c.Fail(kRegisterOutOfRangeIn, directive);
      param = std::to_string(reg->number);
    } else {
      param = token;
    }
  }
  if (c.ConditionalForm && out.count >= 2) {
    std::string secondToLast = out.slot[out.count - 1];
    std::string last = out.slot[out.count];
    out.slot[10] = std::move(secondToLast);
    out.slot[11] = std::move(last);
  }
  return 0;
}

}  // namespace calvern
