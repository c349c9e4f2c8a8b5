// Statements written in the key notation of the published Russian listings: "В↑", "F sin",
// "F x≥0 42", "К max", "x→П 7", "К ПП а". The prefix key F or К may stand apart or be joined
// to the name. Every name is an alias of an instruction of the keyword table, which alone
// encodes it; the listing shows the instruction's own keys.
#include "compiler/key_notation.h"

#include "compiler/compilation.h"
#include "compiler/instruction_encoder.h"
#include "tables/russian_notation.h"

namespace calvern {
namespace {

struct Meaning {
  const KeywordEntry* instruction = nullptr;
  bool indirect = false;  // К before a register instruction or a jump
};

bool TakesOperand(const KeywordEntry& e) {
  return e.group == kGroupLoop || e.group == kGroupJump || e.group == kGroupRegister;
}

// The instruction a keyword name stands for, aliases resolved; nullptr when there is none.
const KeywordEntry* Instruction(const Compilation& c, std::string_view upperKeyword) {
  const int index = c.Keywords.Find(upperKeyword);
  if (index == 0) return nullptr;
  const KeywordEntry& entry = c.Keywords.Entry(c.Keywords.ResolveAlias(index));
  return entry.group == kGroupDirective || entry.group == kGroupStructure ? nullptr : &entry;
}

// A name after a prefix key (or none): first the listings' names, then the keyword table's
// own names of the instructions entered with that key ("F SIN", "K MAX").
const KeywordEntry* Named(const Compilation& c, NotationPrefix prefix, std::string_view name) {
  if (const NotationAlias* alias = RussianNotationTable::BuiltIn().Find(prefix, name)) {
    return Instruction(c, alias->keyword);
  }
  if (prefix == NotationPrefix::kNone) return nullptr;
  const KeywordEntry* entry = Instruction(c, name);
  if (entry == nullptr) entry = Instruction(c, RussianNotationTable::Folded(name));
  if (entry == nullptr || entry->group == kGroupRegister) return nullptr;
  // The prefix key of the instruction's basic form counts: the only form of a plain key or a
  // function, the one-byte address form of a loop or a jump (F L0, F x<0).
  const KeysPrefix wanted = prefix == NotationPrefix::kF ? KeysPrefix::kF : KeysPrefix::kK;
  const bool addressed = entry->group == kGroupLoop || entry->group == kGroupJump;
  const InstructionForm* form =
      InstructionTable::BuiltIn().Form(entry->EnteredInstruction()->operation,
                                       addressed ? OperandKind::kAddressByte : OperandKind::kNone);
  return form != nullptr && form->prefix == wanted ? entry : nullptr;
}

Meaning Resolve(const Compilation& c, NotationPrefix prefix, std::string_view name) {
  if (const KeywordEntry* entry = Named(c, prefix, name)) return {entry, false};
  if (prefix != NotationPrefix::kK) return {};
  // К before a jump, a condition or a register instruction: its indirect form.
  const KeywordEntry* entry = Named(c, NotationPrefix::kNone, name);
  if (entry == nullptr) entry = Named(c, NotationPrefix::kF, name);
  if (entry == nullptr) entry = Instruction(c, name);
  if (entry != nullptr && (entry->group == kGroupJump || entry->group == kGroupRegister)) {
    return {entry, true};
  }
  return {};
}

// Registers 10-14 as the listings print them: а в с д е, the Cyrillic letters.
std::string LatinRegisterLetter(const std::string& upperOperand) {
  constexpr std::pair<std::string_view, const char*> kLetters[] = {
      {"А", "A"}, {"В", "B"}, {"С", "C"}, {"Д", "D"}, {"Е", "E"}};
  for (const auto& [cyrillic, latin] : kLetters) {
    if (upperOperand == cyrillic) return latin;
  }
  return upperOperand;
}

}  // namespace

Status CompileKeyNotation(Compilation& c, const std::string& token) {
  const RussianNotationTable& notation = RussianNotationTable::BuiltIn();
  std::string written = token;
  Meaning meaning = Resolve(c, NotationPrefix::kNone, token);
  NotationPrefix prefix;
  std::size_t length = 0;
  if (meaning.instruction == nullptr && notation.IsPrefix(token, prefix)) {
    std::optional<std::string> name = c.NextOperand();  // the key's name, apart
    if (!name) return Status::kFailed;
    written = token + " " + *name;
    meaning = Resolve(c, prefix, *name);
  } else if (meaning.instruction == nullptr && notation.StartsWithPrefix(token, prefix, length)) {
    meaning = Resolve(c, prefix, std::string_view(token).substr(length));
  }
  if (meaning.instruction == nullptr) return c.Fail(kUnknownInstruction, written);

  const KeywordEntry& instruction = *meaning.instruction;
  if (!TakesOperand(instruction)) {
    EmitKey(c, instruction);
    return Status::kDone;
  }
  std::optional<std::string> operand = c.NextOperand();
  if (!operand) return Status::kFailed;
  std::string text = *operand;
  if (instruction.group == kGroupRegister || meaning.indirect) text = LatinRegisterLetter(text);
  if (meaning.indirect) text = "(" + text + ")";
  return CompileInstruction(c, instruction, written, text);
}

}  // namespace calvern
