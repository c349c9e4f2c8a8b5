// The built-in keyword table: every directive and keystroke mnemonic the compiler knows,
// with its opcode or parameter signature and its group.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "tables/instruction_table.h"
#include "tables/text_index.h"

namespace calvern {

// Keyword groups: how the statement loop dispatches a keyword and how its code text reads.
enum KeywordGroup : int {
  kGroupDirective = 0,  // "#" directives; code is a directive number or a parameter signature
  kGroupPlainKey = 1,   // digits, arithmetic and stack keys: two hex digits
  kGroupFKey = 2,       // functions behind the F prefix
  kGroupKKey = 3,       // functions behind the K prefix
  kGroupLoop = 4,       // L0-L3, take an address
  kGroupJump = 5,       // conditional and unconditional jumps and calls, take an address
  kGroupRegister = 6,   // register instructions, take a register
  kGroupStructure = 7,  // structured-control keywords
};

// Indexes of the directives (group 0): a directive is known by its position in the table.
enum DirectiveIndex : int {
  kDirReg = 1,
  kDirFirstLine = 2,
  kDirMkFiles = 3,
  kDirBlock = 4,
  kDirNum = 5,
  kDirDal = 6,
  kDirDaf = 7,
  kDirText = 8,
  kDirText0 = 9,
  kDirDefgraph = 10,
  kDirDb = 11,
  kDirDw = 12,
  kDirDl = 13,
  kDirInitb = 14,
  kDirInitw = 15,
  kDirInitl = 16,
  kDirBinary = 17,
  kDirProgram = 18,
  kDirDecimal = 19,
  kDirTextn = 20,
  kDirBase = 21,
  kDirOffset = 22,
  kDirTab = 23,
  kDirLdx = 24,
  kDirLdy = 25,
  kDirType = 26,
  kDirAtype = 27,
  kDirLdadr = 28,
  kDirSqu = 29,
  kDirFrame = 30,
  kDirDrawp = 31,
  kDirDrawb = 32,
  kDirTxtp = 33,
  kDirTxtb = 34,
  kDirTxtk = 35,
  kDirPrexp = 36,
  kDirPrform = 37,
  kDirPrhex = 38,
  kDirMcall = 39,
  kDirRetum = 40,
  kDirLcall = 41,
  kDirRetul = 42,
  kDirJnez = 43,
  kDirJm = 44,
  kDirEnd = 45,
  kDirFormTable = 46,
  kDirDefineForm = 47,
  kDirFormFlags = 48,
  kDirFormInput = 49,
  kDirFormOutput = 50,
  kDirFormLeft = 51,
  kDirFormRight = 52,
  kDirFormMainProgram = 53,
  kDirFormElements = 54,
  kDirFormElementProgram = 55,
  kDirNum3 = 56,
  kDirNum2 = 57,
  kDirNum1 = 58,
  kDirOptim = 59,
  kDirMenumainloop = 60,
  kDirMenu = 61,
  kDirEndmenu = 62,
  kDirString = 63,
  kDirHline = 64,
  kDirAction = 65,
  kDirLink = 66,
  kDirInputd = 67,
  kDirInputh = 68,
  kDirOutputd = 69,
  kDirOutputh = 70,
  kDirOutputf = 71,
  kDirBlank = 72,
  kDirRedraw = 73,
  kDirStartrect = 74,
  kDirEndrect = 75,
  kDirEndStringInput = 76,
  kDirProgressbar = 77,
  kDirVinputd = 78,
  kDirVinputh = 79,
  kDirGotomenu = 80,
  kDirLabelList = 81,
  kDirCheck = 82,
  kDirRadio = 83,
  kDirCstring = 84,
  kDirRclXtoI = 85,
  kDirStoItoX = 86,
  kDirEndmenuinput = 87,
  kDirMenuescl = 88,
  kDirMenuesca = 89,
  kDirLoadimage = 90,
  kDirIcon = 91,
  kDirMatrix = 92,
  kDirBlocka = 93,
  kDirBlockl = 94,
  kDirFilename = 95,
  kDirMove = 96,
  kDirAddfindfile = 97,
  kDirFilenameid = 98,
  kDirLoadfile = 99,
  kDirDeletefile = 100,
  kDirCreatefile = 101,
  kDirOverwritefile = 102,
  kDirCopyfilename = 103,
  kDirRegtobin = 104,
  kDirBintoreg = 105,
  kDirFont = 106,
  kDirDefchar = 107,
  kDirEndfont = 108,
  kDirFindfile = 109,
  kDirFindfileid = 110,
  kDirDwk = 111,
  kDirDafk = 112,
};

// What a structured-control keyword (group 7) does.
enum class StructureKeyword {
  kNone,
  kFor,
  kNext,
  kDo,
  kLoop,
  kRepeat,
  kUntil,
  kWhile,
  kIfThen,
  kEndIf,
  kElse,
  kSumOrMul,
  kSelect,
  kCase,
  kDefault,
  kEndSelect,
};

// A stretch of the keyword table's constant text: where it starts and how long it is. Places
// rather than pointers keep the built table free of addresses, so that it lies in the
// program's read-only data as the compiler built it: nothing is set up or relocated at start.
struct TextPlace {
  std::uint16_t at = 0;
  std::uint16_t size = 0;
};

// One keyword with its code text decoded, when the program is built, into what the compiler
// uses. Only the fields of the entry's group are set.
struct KeywordEntry {
  int index = 0;
  int group = 0;
  int target = 0;  // the entry an alias stands for; the entry itself otherwise

  // Groups 1-6: the Operation of the calculator instruction the keyword enters (-1 for none);
  // its forms and their codes are in the instruction table.
  int operation = -1;
  // Form codes (#TAB .. #END): the form engine's opcode.
  int opcode = -1;

  StructureKeyword structure = StructureKeyword::kNone;
  int test = -1;          // UNTIL, WHILE, IF: 0 x<0, 1 x=0, 2 x>=0, 3 x!=0
  int arithmeticKey = 0;  // SUM, MUL: the entry of "+" or "*"

  TextPlace keywordPlace, codePlace, signaturePlace, relationPlace;

  // Upper-cased: the text the listing shows.
  std::string_view Keyword() const;
  // The upper-cased code or signature text, as stored.
  std::string_view Code() const;
  // Directives: their parameter letters (form codes: after the opcode).
  std::string_view Signature() const;
  // CASE forms: "=", "<>", "!=", ">=" or "<".
  std::string_view Relation() const;
  // Groups 1-6: the instruction the keyword enters; nullptr for the others.
  const Instruction* EnteredInstruction() const {
    return operation < 0 ? nullptr : &InstructionOf(static_cast<Operation>(operation));
  }
};

// The table: 1-based arrays of upper-cased keywords and codes with their groups, built from
// constant data when the program is built.
class KeywordTable {
 public:
  static constexpr int kMaxEntries = 300;
  static constexpr int kGroupCount = 8;

  // The shared table built from the program's constant data.
  static const KeywordTable& BuiltIn();

  int Count() const { return count_; }
  std::string_view Keyword(int i) const { return entry_[i].Keyword(); }
  std::string_view Code(int i) const { return entry_[i].Code(); }
  int Group(int i) const { return entry_[i].group; }
  // First index of group g; GroupStart(kGroupCount) is Count() + 1.
  int GroupStart(int g) const { return groupStart_[g]; }

  // Index of the first entry whose keyword equals the upper-cased token exactly, 0 when none.
  int Find(std::string_view upperToken) const;
  // An alias ("<" repeated k times) stands for the entry k places before it; one level only.
  int ResolveAlias(int i) const { return entry_[i].target; }
  // Entry i with its decoded code.
  const KeywordEntry& Entry(int i) const { return entry_[i]; }

  // Entries that structures and the encoder address by meaning.
  const KeywordEntry& Goto() const { return entry_[GroupStart(kGroupJump) + 4]; }
  // The conditional jump of a test digit: 0 x<0, 1 x=0, 2 x>=0, 3 x!=0.
  const KeywordEntry& TestJump(int test) const { return entry_[GroupStart(kGroupJump) + test]; }
  // L0-L3 for the loop registers 0-3.
  const KeywordEntry& LoopInstruction(int reg) const {
    return entry_[GroupStart(kGroupLoop) + reg];
  }
  const KeywordEntry& Recall() const { return entry_[GroupStart(kGroupRegister)]; }     // RM
  const KeywordEntry& Store() const { return entry_[GroupStart(kGroupRegister) + 1]; }  // M

 private:
  // Evaluated when the program is built (see BuiltIn).
  constexpr KeywordTable();
  constexpr void Decode(KeywordEntry& entry) const;
  // Find's lookup, which building the index uses too (to keep the first of equal keywords).
  constexpr int IndexOf(std::string_view upperToken) const;

  std::array<KeywordEntry, kMaxEntries + 1> entry_{};
  std::array<int, 21> groupStart_{};
  int count_ = 0;
  // Keyword to the index of its first entry (the same answer as a first-match scan): slots by
  // the keyword's hash (TextIndex's), each with the hash and the index of an entry or 0 for
  // none, probed one after another; a text is compared only where the hash matches.
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t index = 0;
  };
  static constexpr std::size_t kSlots = 1024;  // at most half full
  static_assert(kSlots >= 2 * (kMaxEntries + 1));
  std::array<Slot, kSlots> slots_{};
};

// Upper-cases the ASCII letters and the Cyrillic letters (in UTF-8) of a text; other bytes are
// kept.
std::string UpperCase(std::string_view text);
void UpperCaseInPlace(std::string& text);

}  // namespace calvern
