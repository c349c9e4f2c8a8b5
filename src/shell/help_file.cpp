#include "shell/help_file.h"

#include "compiler/byte_text.h"
#include "output/text_lines.h"
#include "platform/files.h"
#include "shell/launcher.h"
#include "tables/help_text.h"
#include "tables/instruction_table.h"
#include "tables/io_register_table.h"
#include "tables/keyword_table.h"
#include "tables/russian_notation.h"

namespace calvern {
namespace {

// A title indented by two blanks and underlined with "-" as long as the title.
void AddTitle(CrlfText& out, std::string_view title) {
  out.Add("  " + std::string(title));
  out.Add("  " + std::string(title.size(), '-'));
}

void AddIoRegisters(CrlfText& out) {
  for (const IoRegisterRecord& record : IoRegisterTable()) {
    out.Add("  " + std::to_string(record.number) + "  " + std::string(record.name));
    for (const std::string& line : SplitLines(record.description)) out.Add("    - " + line);
    out.Add("");
  }
}

// A text padded with blanks to `width` characters (UTF-8 characters, not bytes).
std::string Padded(const std::string& text, std::size_t width) {
  std::size_t characters = 0;
  for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return text + std::string(width > characters ? width - characters : 1, ' ');
}

// The opcode of one form of an instruction, from the instruction table.
int FormCode(const KeywordEntry& e, OperandKind kind) {
  return InstructionTable::BuiltIn().Form(e.EnteredInstruction()->operation, kind)->code;
}

// One line of the table: the keys as the listings print them, Calvern's instruction and the
// code, taken from the instruction table's form of the instruction.
std::string NotationLine(const NotationAlias& alias, const KeywordEntry& e, bool indirect) {
  // К replaces F before a condition: "К x<0 r".
  std::string keys = indirect ? "К " : "";
  if (alias.prefix == NotationPrefix::kF && !indirect) keys += "F ";
  if (alias.prefix == NotationPrefix::kK) keys += "К ";
  keys += std::string(alias.spelling);
  std::string instruction(alias.keyword);
  std::string code;
  if (e.group == kGroupRegister || (e.group == kGroupJump && indirect)) {
    // The register in the opcode's low digit: "6r" for RCL r, "Dr" for RCL (r).
    keys += " r";
    instruction += indirect ? " (r)" : " r";
    const int opcode =
        FormCode(e, indirect ? OperandKind::kIndirectDigit : OperandKind::kRegisterDigit);
    code = std::string(1, kHexDigits[opcode >> 4]) + "r";
  } else if (e.group == kGroupJump || e.group == kGroupLoop) {
    keys += " nn";
    instruction += " nn";
    code = Hex2(FormCode(e, OperandKind::kAddressByte)) + " nn";
  } else {
    code = Hex2(FormCode(e, OperandKind::kNone));
  }
  return "     " + Padded(keys, 14) + Padded(instruction, 14) + code;
}

// Every name of the Russian listings with its instruction and code; then the indirect forms
// that К gives the jumps and register instructions.
void AddRussianNotation(CrlfText& out) {
  const KeywordTable& keywords = KeywordTable::BuiltIn();
  out.Add("");
  out.Add("     " + Padded("Keys", 14) + Padded("Instruction", 14) + "Code");
  for (bool indirect : {false, true}) {
    for (const NotationAlias& alias : RussianNotation()) {
      const KeywordEntry& e = keywords.Entry(keywords.ResolveAlias(keywords.Find(alias.keyword)));
      const bool hasIndirect = e.group == kGroupJump || e.group == kGroupRegister;
      if (indirect && (!hasIndirect || alias.prefix == NotationPrefix::kK)) continue;
      out.Add(NotationLine(alias, e, indirect));
    }
  }
}

}  // namespace

std::string HelpFileText() {
  CrlfText out;
  AddTitle(out, std::string("Help file for Calvern ") + kVersionText);
  out.Add("");
  std::span<const HelpSection> sections = HelpSections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    AddTitle(out, sections[i].title);
    out.Add("");
    if (sections[i].title == kIoRegisterSectionTitle) {
      AddIoRegisters(out);  // each register's block ends with its own empty line
      continue;
    }
    for (const std::string& line : SplitLines(sections[i].text)) out.Add(line);
    if (sections[i].title == kRussianNotationSectionTitle) AddRussianNotation(out);
    if (i + 1 < sections.size()) out.Add("");  // sections are separated by an empty line
  }
  for (int i = 0; i < 4; ++i) out.Add("");
  out.Add("  -- END OF FILE --");
  return out.Take();
}

bool WriteHelpFile(const std::string& path) {
  return platform::WriteFileAtomically(path, HelpFileText());
}

void ShowHelpFile(Application& app) {
  std::string path;
  bool usable;
  if (!app.LanguageHelpFile.empty()) {
    // A translator's help file is shown as it is and never overwritten.
    path = app.CurrentDirectory + app.LanguageHelpFile;
    usable = platform::RegularFileSize(path).value_or(0) > 0;
  } else {
    path = app.CurrentDirectory + "calvern-help.txt";
    usable = WriteHelpFile(path);
  }
  if (!usable) {
    app.Status[1] = app.Messages[kCantCreateHelp];
    return;
  }
  app.Status[1] = app.Messages[OpenWithEditor(app, path) ? kViewingHelp : kEditorCantRun];
}

}  // namespace calvern
