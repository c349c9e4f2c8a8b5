// The parameter reader shared by the directives that declare their operands by signature.
#include "compiler/compilation.h"
#include "compiler/directive_compiler.h"
#include "tables/character_table.h"

namespace calvern {
namespace {

// A quoted text, or "(" and an indirect register for a text held in the binary zone.
Status ReadTextParameter(Compilation& c, const KeywordEntry& directive, std::string& text,
                         int& textRegister) {
  const std::string_view name = directive.Keyword();
  int ch = c.Source().SkipBlanks();
  if (ch == '(') {
    std::optional<std::string> token = c.NextOperand(kUnexpectedEndOfFileIn, name);
    if (!token) return Status::kFailed;
    std::optional<RegisterOperand> reg = c.RegisterNumber("(" + *token);
    if (!reg) return Status::kFailed;
    if (!reg->indirect) return c.Fail(kInvalidStringIn, name);
    textRegister = reg->number;
    text = std::to_string(reg->number);
    return Status::kDone;
  }
  if (ch != '"') return c.Fail(kInvalidStringIn, name);
  // A picture's file name is a name on the computer, not a text for the calculator.
  const bool fileName = directive.index == kDirLoadimage;
  QuotedText quoted;
  if (Failed(ReadUntilQuote(c, name, quoted, !fileName))) return Status::kFailed;
  text = fileName ? quoted.written : quoted.codes;
  return Status::kDone;
}

}  // namespace

Status ReadUntilQuote(Compilation& c, std::string_view name, QuotedText& text, bool forCalculator) {
  const CharacterTable& characters = CharacterTable::BuiltIn();
  Tokenizer& source = c.Source();
  text = QuotedText();
  for (;;) {
    if (source.AtEnd()) return c.FailAtStatement(kUnexpectedEndOfFileIn, name);
    const TextChar ch = source.ReadTextChar();
    if (ch.value == '"') return Status::kDone;
    // Line ends cannot stand in a text, nor the bytes 80-FF of an 8-bit source (negative).
    if (ch.value < 32) return c.Fail(kStringNotClosedIn, name);
    if (ch.code) {  // generated text: a calculator code already
      text.codes += static_cast<char>(ch.value);
      text.written += characters.Shown(ch.value);
      continue;
    }
    const char32_t character = static_cast<char32_t>(ch.value);
    text.written += Utf8(character);
    const int code = characters.CodeOf(character);
    if (code >= 0) {
      text.codes += static_cast<char>(code);
    } else if (forCalculator) {
      return c.Fail({.message = kCharacterWithoutCode,
                     .detail = Utf8(character),
                     .line = source.LineCount() + c.Switches.firstLineNumber,
                     .column = source.Column()});
    }
  }
}

Status ReadDirectiveParameters(Compilation& c, const KeywordEntry& directive,
                               DirectiveParameters& out, int extraValues) {
  const std::string_view name = directive.Keyword();
  std::string signature(directive.Signature());
  if (c.Prefixes.conditionalForm) signature += "RS";
  signature.append(extraValues, 'V');
  out = DirectiveParameters();
  for (char letter : signature) {
    if (out.count + 1 >= static_cast<int>(out.slot.size())) {
      return c.Fail(kNotEnoughParametersIn, name);  // no signature is this long
    }
    std::string& param = out.slot[++out.count];
    if (letter == 'S') {
      if (Failed(ReadTextParameter(c, directive, param, out.textRegister[out.count]))) {
        return Status::kFailed;
      }
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
    out.textRegister[10] = out.textRegister[out.count - 1];
    out.textRegister[11] = out.textRegister[out.count];
  }
  return Status::kDone;
}

}  // namespace calvern
