// The disassembler's contract: compiling what it writes gives the same bytes in every zone.
// Tested as a property over random code strings and random compiled programs, and by a table
// of hand-decoded code strings for the spelling it chooses.
#include "output/disassembler.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "output/code_string.h"
#include "output/mk_file_writer.h"
#include "output/symbol_file.h"
#include "output/text_lines_testing.h"

namespace calvern {
namespace {

using Lines = std::vector<std::string>;

// The source's lines after the header comment and the blank line that ends it.
Lines Body(const std::string& source) {
  Lines lines = CrlfLines(source);
  auto blank = std::find(lines.begin(), lines.end(), "");
  return Lines(blank == lines.end() ? lines.end() : blank + 1, lines.end());
}

std::string Disassembled(const std::string& codes, const SymbolNames& names = {}) {
  const CodeStringReading reading = ReadCodeString(codes);
  EXPECT_EQ(reading.problem, CodeStringProblem::kNone) << codes;
  return DisassembledSource(ImageOfCodes(reading.codes), names, "test");
}

TEST(Disassembler, SpellsEachFormAsTheCompilerReadsIt) {
  struct Case {
    const char* codes;
    Lines body;
  };
  const Case cases[] = {
      {"0E 10 1C 34 F2", {"  ENT", "  +", "  SIN", "  INT", "  RTI"}},
      // Digit keystrokes in a row are one number; the sign and exponent keys stand alone.
      {"01 02 0A 05 0B 0C 03", {"  $12.5", "  /-/", "  EE", "  $3"}},
      {"65 6F 15 F6 91 20 D5 DF 15 45 4E",
       {"  RCL 5", "  RCL 15", "  RCL \\DiskEnable", "  RCL (5)", "  RCL (15)", "  STO 5",
        "  STO 14"}},
      {"51 00", {"L0000:", "  GOTO L0000"}},
      // A one-byte jump forward is not what the compiler chooses for a label still to come.
      {"51 03 0E 52", {"  GOTO.S L0003", "  ENT", "L0003:", "  RTN"}},
      {"F1 00 04 0E 52", {"  GOTO L0004", "  ENT", "L0004:", "  RTN"}},
      // Nor two address bytes for a label already defined in the jump's block.
      {"0E F1 00 00", {"L0000:", "  ENT", "  GOTO.L L0000"}},
      {"F1 01 50", {"  GOTO 150"}},
      // A target inside an instruction has no label: the step number stands.
      {"5C 01", {"  IF(x>=0)GOTO 1"}},
      {"5E 00 59 00 57 00 53 00",
       {"L0000:", "  IF(x<>0)GOTO L0000", "  IF(x<0)GOTO L0000", "  IF(x=0)GOTO L0000",
        "  GSB L0000"}},
      {"5D 00 FB 00 00", {"L0000:", "  L0 L0000", "  L1.L L0000"}},
      {"85 8F 20 C3", {"  GOTO (5)", "  GOTO (20)", "  IF(x>=0)GOTO (3)"}},
      // No instruction, a register the short form holds, a truncated long form: data.
      {"1F 6F 05 F1 00",
       {"  #DB 31 #END   ; no instruction", "  #DB 111 #END   ; no instruction", "  $5",
        "  #DB 241 #END   ; no instruction", "  $0"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(Disassembled(c.codes)), c.body) << c.codes;

  // The compiler never ends a block with a one-byte jump: its byte would be in the next block.
  std::string codes;
  for (int k = 0; k < 99; ++k) codes += "0E";
  const Lines body = Body(Disassembled(codes + "5100"));
  EXPECT_EQ(Lines(body.end() - 2, body.end()), (Lines{"  #DB 81 #END   ; no instruction", "  $0"}));
}

TEST(Disassembler, CodeStringsInEitherSpelling) {
  struct Case {
    std::string text;
    CodeStringProblem problem;
    std::vector<std::uint8_t> codes;
  };
  const Case cases[] = {
      {"52 53 05", CodeStringProblem::kNone, {0x52, 0x53, 0x05}},
      {"  5253\t05 ", CodeStringProblem::kNone, {0x52, 0x53, 0x05}},
      {"f1ab", CodeStringProblem::kNone, {0xF1, 0xAB}},
      // The display's digits: "-" 10, "L" 11, "C" 12, "R" 13, "E" 14, the blank 15.
      {"-LCRE 09", CodeStringProblem::kNone, {0xAB, 0xCD, 0xEF, 0x09}},
      {"5 ", CodeStringProblem::kNone, {0x5F}},
      {"L2 3", CodeStringProblem::kNone, {0xB2, 0xF3}},
      {"", CodeStringProblem::kLength, {}},
      {"525", CodeStringProblem::kLength, {}},
      {"5 3", CodeStringProblem::kLength, {}},
      {"52 5G", CodeStringProblem::kCharacter, {}},
      {"52\x01", CodeStringProblem::kCharacter, {}},
      {std::string(20002, '0'), CodeStringProblem::kLength, {}},  // past step 9999
  };
  for (const Case& c : cases) {
    const CodeStringReading reading = ReadCodeString(c.text);
    EXPECT_EQ(reading.problem, c.problem) << c.text;
    EXPECT_EQ(reading.codes, c.codes) << c.text;
  }
  EXPECT_EQ(ReadCodeString("52 5G").detail, "'G' at position 5");
}

// Bytes that look like program codes: mostly instructions with operands of their forms, some
// bytes of no form, and jumps that may land anywhere.
std::vector<std::uint8_t> RandomCodes(std::mt19937& random) {
  const auto forms = InstructionTable::BuiltIn().Forms();
  std::vector<std::uint8_t> codes;
  const int length = 1 + static_cast<int>(random() % 300);
  while (static_cast<int>(codes.size()) < length) {
    if (random() % 5 == 0) {
      codes.push_back(static_cast<std::uint8_t>(random()));
      continue;
    }
    const InstructionForm& form = forms[random() % forms.size()];
    codes.push_back(OpcodeFor(form, static_cast<int>(random() % 15)));
    for (int k = 1; k < InstructionLength(form.operand); ++k) {
      codes.push_back(static_cast<std::uint8_t>(Bcd(static_cast<int>(random() % 100))));
    }
  }
  return codes;
}

TEST(Disassembler, RandomCodeStringsCompileBackToThemselves) {
  std::mt19937 random(1717);
  for (int run = 0; run < 1500; ++run) {
    const std::vector<std::uint8_t> codes = RandomCodes(random);
    const std::string source = DisassembledSource(ImageOfCodes(codes), {}, "test");
    const CompileResult again = CompileProgram(source);
    ASSERT_TRUE(again.Ok()) << source << "\n"
                            << again.error->detail << " line " << again.error->line;
    const MemoryImage& image = again.program.image;
    for (int step = 0; step < kProgramMemory.cells; ++step) {
      const bool inCodes = step < static_cast<int>(codes.size());
      ASSERT_EQ(image.Used(step), inCodes) << source << "\nstep " << step;
      if (inCodes) {
        ASSERT_EQ(image.Value(step), codes[step]) << source << "\nstep " << step;
      }
    }
  }
}

// Programs as people write them, at random: keys, numbers, registers by number and by name,
// jumps back and forth, the "!" structures, blocks, data in both zones and decimal registers.
std::string RandomProgram(std::mt19937& random) {
  static const char* const kKeys[] = {"ENT", "+",    "-",   "*",   "/",   "X<>Y", "SIN", "1/X",
                                      "INT", "FRAC", "ABS", "RTN", "R/S", "CX",   "/-/", "EE",
                                      "RTI", "NOT",  "PI",  "X^2", "ANS", "NOP",  "SCR"};
  static const char* const kJumps[] = {"GOTO", "GSB", "x<0", "x=0", "x>=0",       "x!=0",
                                       "L0",   "L1",  "L2",  "L3",  "IF(x<0)GOTO"};
  static const char* const kRegisters[] = {"5",     "E",       "14",      "15",   "42",   "99",
                                           "100",   "9120",    "(3)",     "(14)", "(15)", "(99)",
                                           "COUNT", "(COUNT)", "\\GMode", "TOTAL"};
  auto pick = [&](auto& list) { return std::string(list[random() % std::size(list)]); };
  auto label = [&] { return "P" + std::to_string(random() % 12); };
  std::string source = "#reg 20 COUNT\n#reg 1234 TOTAL\n";
  std::vector<bool> defined(12, false);
  const int statements = 1 + static_cast<int>(random() % 120);
  for (int n = 0; n < statements; ++n) {
    switch (random() % 14) {
      case 0:
      case 1:
        source += pick(kKeys);
        break;
      case 2:
        source += "$" + std::to_string(random() % 100000) + (random() % 3 ? "" : ".25");
        break;
      case 3:
      case 4:
        source += std::string(random() % 2 ? "RCL " : "STO ") + pick(kRegisters);
        break;
      case 5:
      case 6:
        source += pick(kJumps) + " " + label();
        break;
      case 7: {
        const int which = static_cast<int>(random() % 12);
        if (defined[which]) continue;
        defined[which] = true;
        source += "P" + std::to_string(which) + ":";
        break;
      }
      case 8:
        source += random() % 2 ? "!IF(x<0)THEN ENT !ELSE RTN ENDIF" : "DO ENT !WHILE(x=0) SIN LOOP";
        break;
      case 9:
        source += "#BLOCK " + std::to_string(random() % 100);
        break;
      case 10:
        source += random() % 2 ? "#DB 1 255 0 #END #TEXT \"Hello\" #TEXT0 \"ok;\""
                               : "#DW 4660 #END #DAF " + label() + " #END #DAL " + label() +
                                     " #END #NUM " + label();
        break;
      case 11:
        source += "#BINARY #BLOCK " + std::to_string(random() % 64) + " B" + std::to_string(n) +
                  ": #DB " + std::to_string(random() % 256) +
                  " 0 0 7 #END #TEXT \"Calvern\" #PROGRAM";
        break;
      case 12:
        source += "#DECIMAL " + std::to_string(random() % 1000) + " -1.5E-3 > 42 #PROGRAM";
        break;
      default:
        source += "GOTO " + std::to_string(random() % 10000);
        break;
    }
    source += random() % 4 ? " " : "\n";
  }
  for (int k = 0; k < 12; ++k) {
    if (!defined[k]) source += "\nP" + std::to_string(k) + ": ENT";
  }
  return source;
}

MkImage ReadBack(const MkFileContents& files) {
  MkImage memory;
  for (const MkFileContents::File& file : files.files) {
    EXPECT_TRUE(AddMkFile(file.extension, file.bytes, memory));
  }
  return memory;
}

TEST(Disassembler, RandomProgramsGiveTheirMkFilesBack) {
  std::mt19937 random(2017);
  int compiled = 0;
  for (int run = 0; run < 600; ++run) {
    const std::string original = RandomProgram(random);
    const CompileResult first = CompileProgram(original);
    if (!first.Ok()) continue;
    ++compiled;
    const MkFileContents files = MkFilesOf(first.program);
    const std::optional<SymbolNames> names = ReadSymbolFile(SymbolFileText(first.program));
    ASSERT_TRUE(names);
    for (const SymbolNames& given : {SymbolNames{}, *names}) {
      const std::string source = DisassembledSource(ReadBack(files), given, "test");
      const CompileResult again = CompileProgram(source);
      ASSERT_TRUE(again.Ok()) << original << "\n----\n" << source;
      const MkFileContents back = MkFilesOf(again.program);
      ASSERT_EQ(back.files.size(), files.files.size()) << original << "\n----\n" << source;
      for (std::size_t k = 0; k < files.files.size(); ++k) {
        ASSERT_EQ(back.files[k].bytes, files.files[k].bytes) << files.files[k].extension << "\n"
                                                             << original << "\n----\n"
                                                             << source;
      }
    }
  }
  EXPECT_GT(compiled, 300) << "the generator should mostly write programs that compile";
}

TEST(Disassembler, NamesAndValuesWhereTheyFit) {
  // Registers: a name that reads as a number, and one given twice (the lower keeps it).
  SymbolNames names;
  names.registers = {{10, "A"}, {20, "SPEED"}, {30, "SPEED"}, {9001, "MODE"}};
  names.programLabels = {{0, "START"}, {1, "INSIDE"}};
  names.binaryLabels = {{1100, "TABLE"}};
  MkImage memory = ImageOfCodes({0x6F, 0x20, 0x6F, 0x30, 0xF4, 0x90, 0x01, 0x6A});
  memory.binaryZoneUsed = memory.decimalZoneUsed = true;
  for (int cell = kBinaryMemory.firstCell; cell < kMemoryCells; ++cell) {
    memory.image.Set(cell, CellKind::kData, 0, "");
  }
  memory.image.Set(kBinaryMemory.firstCell + 100, CellKind::kData, 65, "");
  const std::vector<std::pair<int, std::array<int, 8>>> registers = {
      {3, {0x00, 0x31, 0x40, 0, 0, 0, 0, 0x00}},              // 3.14
      {4, {0x80, 0x25, 0, 0, 0, 0, 0, 0x01}},                 // -25
      {5, {0x00, 0x50, 0, 0, 0, 0, 0, 0xFF}},                 // 0.5
      {6, {0x00, 0x15, 0, 0, 0, 0, 0, 0xEC}},                 // 1.5E-20
      {7, {0x00, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x0B}},  // 123456789012
      {8, {0x00, 0x05, 0, 0, 0, 0, 0, 0x00}},                 // no value gives a leading 0
  };
  for (const auto& [r, bytes] : registers) {
    for (int k = 0; k < 8; ++k) {
      memory.image.Set(kDecimalMemory.firstCell + 8 * r + k, CellKind::kData, bytes[k], "");
    }
  }
  const Lines lines = CrlfLines(DisassembledSource(memory, names, "test"));
  EXPECT_EQ(lines, (Lines{"; Disassembled by calvern from test.",
                          "; Compiling this source gives the same bytes in every zone, but "
                          "for these:",
                          ";   label INSIDE at step 0001 stands inside an instruction or an "
                          "unused run: left out",
                          ";   register 8 holds bytes no #DECIMAL value gives: left out",
                          "",
                          "#reg 20 SPEED",
                          "#reg 9001 MODE",
                          "",
                          "START:",
                          "  RCL SPEED",
                          "  RCL 30",
                          "  STO MODE",
                          "  RCL 10",
                          "",
                          "#BINARY",
                          "  #BLOCK 1",
                          "  #INITB 36 0",
                          "TABLE:",
                          "  #DB 65 #END",
                          "",
                          "#DECIMAL",
                          "  3 3.14",
                          "  4 -25",
                          "  5 0.5",
                          "  6 1.5E-20",
                          "  7 123456789012"}));
}

}  // namespace
}  // namespace calvern
