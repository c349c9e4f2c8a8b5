#include "tables/keyword_table.h"

#include <algorithm>
#include <optional>

#include "tables/instruction_names.h"

namespace calvern {
namespace {

struct StoredPair {
  const char* keyword;
  const char* code;
};

// Stored form: (keyword, code) pairs; ("", "+") starts the next group, ("", "") ends the table.
// A code made of k "<" makes the entry an alias of the entry k places earlier.
// The order is part of the table: structures address some entries relative to their group start.
constexpr StoredPair kStoredKeywords[] = {
    {"#reg", "0"},
    {"#FirstLine", "1"},
    {"#MKFiles", "2"},
    {"#block", "3"},
    {"#num", "4"},
    {"#dal", "5"},
    {"#daf", "6"},
    {"#text", "7"},
    {"#text0", "8"},
    {"#defgraph", "9"},
    {"#db", "10"},
    {"#dw", "11"},
    {"#dl", "12"},
    {"#initb", "13"},
    {"#initw", "14"},
    {"#initl", "15"},
    {"#binary", "16"},
    {"#program", "17"},
    {"#decimal", "18"},
    {"#textn", "19"},
    {"#base", "20"},
    {"#OFFSET", "21"},
    {"#TAB", "60VV"},
    {"#LDX", "68R"},
    {"#LDY", "69R"},
    {"#TYPE", "65V"},
    {"#ATYPE", "4EA"},
    {"#LDADR", "4DR"},
    {"#SQU", "59VVV"},
    {"#FRAME", "5BVVV"},
    {"#DRAWP", "54VA"},
    {"#DRAWB", "56VA"},
    {"#TXTP", "53VA"},
    {"#TXTB", "55VA"},
    {"#TXTK", "57VR"},
    {"#PREXP", "5CVR"},
    {"#PRFORM", "5DVRVV"},
    {"#PRHEX", "5EVR"},
    {"#MCALL", "66O"},
    {"#RETUM", "67"},
    {"#LCALL", "70A"},
    {"#RETUL", "71"},
    {"#JNEZ", "01RO"},
    {"#JM", "38O"},
    {"#END", "FF"},
    {"#FormTable", "46"},
    {"#DefineForm", "47"},
    {"#FormFlags", "48"},
    {"#FormInput", "49"},
    {"#FormOutput", "50"},
    {"#FormLeft", "51"},
    {"#FormRight", "52"},
    {"#FormMainProgram", "53"},
    {"#FormElements", "54"},
    {"#FormElementProgram", "55"},
    {"#NUM3", "56"},
    {"#NUM2", "57"},
    {"#NUM1", "58"},
    {"#OPTIM", "59"},
    {"#MENUMAINLOOP", "R"},
    {"#MENU", "61"},
    {"#ENDMENU", "62"},
    {"#STRING", "VS"},
    {"#HLINE", "64"},
    {"#ACTION", "SA"},
    {"#LINK", "SV"},
    {"#INPUTD", "SVR"},
    {"#INPUTH", "SVR"},
    {"#OUTPUTD", "VSVR"},
    {"#OUTPUTH", "VSVR"},
    {"#OUTPUTF", "VSVRVV"},
    {"#BLANK", "V"},
    {"#REDRAW", "73"},
    {"#STARTRECT", "74"},
    {"#ENDRECT", "75"},
    {"#EndSTringInput", "76"},
    {"#PROGRESSBAR", "R"},
    {"#VINPUTD", "SVRA"},
    {"#VINPUTH", "SVRA"},
    {"#GOTOMENU", "80"},
    {"#LabelList", "81"},
    {"#CHECK", "SR"},
    {"#RADIO", "SR"},
    {"#CSTRING", "VS"},
    {"#RCLXtoI", "85"},
    {"#STOItoX", "86"},
    {"#ENDMENUINPUT", "87"},
    {"#MENUESCL", "88"},
    {"#MENUESCA", "89"},
    {"#LOADIMAGE", "VS"},
    {"#ICON", "VA"},
    {"#MATRIX", "VV"},
    {"#BLOCKA", "AVV"},
    {"#BLOCKL", "VVV"},
    {"#FILENAME", "S"},
    {"#MOVE", "S"},
    {"#ADDFINDFILE", "97"},
    {"#FILENAMEID", "SV"},
    {"#LOADFILE", "99"},
    {"#DELETEFILE", "100"},
    {"#CREATEFILE", "101"},
    {"#OVERWRITEFILE", "102"},
    {"#COPYFILENAME", "103"},
    {"#REGTOBIN", "104"},
    {"#BINTOREG", "105"},
    {"#FONT", "V"},
    {"#DEFCHAR", "V"},
    {"#ENDFONT", "108"},
    {"#FINDFILE", "109"},
    {"#FINDFILEID", "110"},
    {"#DWK", "111"},
    {"#DAFK", "112"},
    {"", "+"},
    {"0", "00"},
    {"1", "01"},
    {"2", "02"},
    {"3", "03"},
    {"4", "04"},
    {"5", "05"},
    {"6", "06"},
    {"7", "07"},
    {"8", "08"},
    {"9", "09"},
    {"cx", "0D"},
    {"-", "11"},
    {"/", "13"},
    {"+", "10"},
    {"*", "12"},
    {"ent", "0e"},
    {"enter", "<"},
    {".", "0a"},
    {"+/-", "0b"},
    {"/-/", "<"},
    {"chs", "<<"},
    {"ee", "0c"},
    {"R/S", "50"},
    {"STOP", "<"},
    {"INPUT", "<<"},
    {"RTN", "52"},
    {"x<>y", "14"},
    {"RTI", "F2"},
    {"", "+"},
    {"sin", "1c"},
    {"cos", "1d"},
    {"tan", "1e"},
    {"tg", "1e"},
    {"sqrt", "21"},
    {"sqr", "<"},
    {"1/x", "23"},
    {"arcsin", "19"},
    {"arccos", "1a"},
    {"arctan", "1b"},
    {"arctg", "1b"},
    {"pi", "20"},
    {"x^2", "22"},
    {"x²", "<"},
    {"exp", "16"},
    {"e^x", "16"},
    {"log", "17"},
    {"ln", "18"},
    {"x^y", "24"},
    {"ans", "0f"},
    {"lastx", "<"},
    {"10^x", "15"},
    {"r", "25"},
    {"rot", "<"},
    {"", "+"},
    {"int", "34"},
    {"[x]", "<"},
    {"frac", "35"},
    {"{x}", "<"},
    {"max", "36"},
    {"abs", "31"},
    {"|x|", "<"},
    {"sgn", "32"},
    {"d->m", "33"},
    {">hm", "<"},
    {"m->d", "26"},
    {"hm>", "<"},
    {"d->ms", "30"},
    {">hms", "<"},
    {"ms->d", "2a"},
    {"hms>", "<"},
    {"ran", "3b"},
    {"rnd", "<"},
    {"nop", "54"},
    {"And", "37"},
    {"Or", "38"},
    {"XOr", "39"},
    {"Not", "3a"},
    {"er09", "27"},
    {"prgm", "28"},
    {"er10", "29"},
    {"scr", "55"},
    {"grph", "56"},
    {"", "+"},
    {"l0", "5d"},
    {"l1", "5b"},
    {"l2", "58"},
    {"l3", "5a"},
    {"", "+"},
    {"x<0", "05cc"},
    {"x=0", "05ee"},
    {"x>=0", "0599"},
    {"x!=0", "0577"},
    {"goto", "2518"},
    {"gsb", "253a"},
    {"if(x>=0)goto", "<<<<<<"},
    {"if(x!=0)goto", "<<<<<<"},
    {"if(x<0)goto", "<<<<<<"},
    {"if(x=0)goto", "<<<<<<"},
    {"x<>0", "<<<<<<<"},
    {"If(x<>0)goto", "<<<<<<<<<<"},
    {"gosub", "<<<<<<<"},
    {"", "+"},
    {"RM", "6d"},
    {"M", "4b"},
    {"rcl", "<<"},
    {"sto", "<<"},
    {"get", "<<<<"},
    {"set", "<<<<"},
    {"exec", "<<<<<"},
    {"", "+"},
    {"for", "00"},
    {"next", "01"},
    {"do", "02"},
    {"loop", "03"},
    {"repeat", "04"},
    {"until(x<0)", "050"},
    {"Until(x=0)", "051"},
    {"Until(x>=0)", "052"},
    {"Until(x<>0)", "053"},
    {"while(x<0)", "060"},
    {"while(x=0)", "061"},
    {"while(x>=0)", "062"},
    {"while(x<>0)", "063"},
    {"if(x<0)then", "070"},
    {"if(x=0)then", "071"},
    {"if(x>=0)then", "072"},
    {"if(x<>0)then", "073"},
    {"endif", "08"},
    {"else", "09"},
    {"sum", "1013"},
    {"mul", "1014"},
    {"until(x!=0)", "053"},
    {"while(x!=0)", "063"},
    {"if(x!=0)then", "073"},
    {"select", "11"},
    {"case=", "12"},
    {"case", "<"},
    {"Case<>", "12"},
    {"Case!=", "12"},
    {"Case>=", "12"},
    {"Case<", "12"},
    {"default", "13"},
    {"endselect", "14"},
    {"", ""},
};

// The keywords and codes of the stored table upper-cased, one after another in the table's
// order, made when the program is built: loading the table copies and converts nothing. Only
// ASCII letters change; a Cyrillic keyword would have to be stored upper-cased.
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr std::size_t kStoredTextSize = [] {
  std::size_t size = 0;
  for (const StoredPair& pair : kStoredKeywords) {
    size += std::string_view(pair.keyword).size() + std::string_view(pair.code).size();
  }
  return size;
}();
constexpr auto kUpperStoredText = [] {
  std::array<char, kStoredTextSize> text{};
  std::size_t at = 0;
  for (const StoredPair& pair : kStoredKeywords) {
    for (const char* c = pair.keyword; *c != 0; ++c) text[at++] = AsciiUpper(*c);
    for (const char* c = pair.code; *c != 0; ++c) text[at++] = AsciiUpper(*c);
  }
  return text;
}();
constexpr bool HasCyrillic(std::string_view text) {
  for (char c : text) {
    if (c == '\xD0' || c == '\xD1') return true;
  }
  return false;
}
static_assert(std::ranges::none_of(kStoredKeywords, [](const StoredPair& pair) {
  return HasCyrillic(pair.keyword);
}));

}  // namespace

void UpperCaseInPlace(std::string& upper) {
  // Through a pointer and a length held aside: a store through a char may alias the string's
  // own fields, which would make the compiler read them again at every character.
  char* const text = upper.data();
  const std::size_t size = upper.size();
  for (std::size_t i = 0; i < size; ++i) {
    char& c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (static_cast<unsigned char>(c) < 0x80 || i + 1 == size) continue;
    // Small Cyrillic letters in UTF-8: а-п D0 B0-BF, р-я D1 80-8F, ё D1 91.
    const auto lead = static_cast<unsigned char>(c);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xD0 && next >= 0xB0 && next <= 0xBF) {
      text[++i] = static_cast<char>(next - 0x20);  // А-П D0 90-9F
    } else if (lead == 0xD1 && next >= 0x80 && next <= 0x8F) {
      c = static_cast<char>(0xD0);  // Р-Я D0 A0-AF
      text[++i] = static_cast<char>(next + 0x20);
    } else if (lead == 0xD1 && next == 0x91) {
      c = static_cast<char>(0xD0);  // Ё D0 81
      text[++i] = static_cast<char>(0x81);
    }
  }
}

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  UpperCaseInPlace(upper);
  return upper;
}

namespace {

constexpr int HexDigit(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }
constexpr int HexByte(std::string_view text) { return HexDigit(text[0]) * 16 + HexDigit(text[1]); }
constexpr int Decimal(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

constexpr bool IsFormCode(int index) { return index >= kDirTab && index <= kDirEnd; }

// The table's text at a place.
constexpr std::string_view TextAt(TextPlace place) {
  return std::string_view(kUpperStoredText.data() + place.at, place.size);
}
constexpr TextPlace Part(TextPlace place, std::size_t from, std::size_t size) {
  return {static_cast<std::uint16_t>(place.at + from), static_cast<std::uint16_t>(size)};
}

}  // namespace

std::string_view KeywordEntry::Keyword() const { return TextAt(keywordPlace); }
std::string_view KeywordEntry::Code() const { return TextAt(codePlace); }
std::string_view KeywordEntry::Signature() const { return TextAt(signaturePlace); }
std::string_view KeywordEntry::Relation() const { return TextAt(relationPlace); }

constexpr KeywordTable::KeywordTable() {
  int i = 1;
  int g = 0;
  groupStart_[0] = 1;
  std::uint16_t at = 0;
  for (const StoredPair& pair : kStoredKeywords) {
    const TextPlace keyword{at, static_cast<std::uint16_t>(std::string_view(pair.keyword).size())};
    at += keyword.size;
    const TextPlace code{at, static_cast<std::uint16_t>(std::string_view(pair.code).size())};
    at += code.size;
    if (keyword.size != 0) {
      KeywordEntry& entry = entry_[i];
      entry.index = i;
      entry.keywordPlace = keyword;
      entry.codePlace = code;
      entry.group = g;
      if (IndexOf(TextAt(keyword)) == 0) {  // the first of equal keywords
        const std::uint32_t hash = TextIndex::Hash(TextAt(keyword));
        std::size_t slot = hash % kSlots;
        while (slots_[slot].index != 0) slot = (slot + 1) % kSlots;
        slots_[slot] = {hash, static_cast<std::uint32_t>(i)};
      }
      ++i;
    } else if (TextAt(code) == "+") {
      ++g;
      groupStart_[g] = i;
    }
    if (code.size == 0) break;
  }
  count_ = i - 1;
  groupStart_[kGroupCount] = i;
  // Aliases first: the decoding of an alias is the decoding of the entry it stands for.
  for (int k = 1; k <= count_; ++k) {
    const std::string_view text = TextAt(entry_[k].codePlace);
    entry_[k].target = text.starts_with("<") ? k - static_cast<int>(text.size()) : k;
  }
  for (int k = 1; k <= count_; ++k) Decode(entry_[k]);
}

// Reads the code text position by position, as each group lays it out.
constexpr void KeywordTable::Decode(KeywordEntry& e) const {
  if (e.target != e.index) return;  // an alias is used through its target
  const std::string_view code = TextAt(e.codePlace);
  switch (e.group) {
    case kGroupDirective:
      if (IsFormCode(e.index)) {
        e.opcode = HexByte(code);  // "60VV": opcode 60, two value operands
        e.signaturePlace = Part(e.codePlace, 2, code.size() - 2);
      } else if (code.find_first_of("0123456789") == std::string_view::npos) {
        e.signaturePlace = e.codePlace;  // "SVR": a text, a value and a register
      }
      break;
    case kGroupPlainKey:
    case kGroupFKey:
    case kGroupKKey:
    case kGroupLoop:
    case kGroupJump:
    case kGroupRegister: {
      // The keyword names its instruction; the codes of its forms are the instruction table's.
      const std::optional<Operation> operation = OperationOfKeys(TextAt(e.keywordPlace));
      e.operation = operation ? static_cast<int>(*operation) : -1;
      break;
    }
    case kGroupStructure: {
      // A two-digit kind, then a test digit (UNTIL, WHILE, IF) or the offset of the arithmetic
      // key in the plain-key group (SUM, MUL).
      constexpr StructureKeyword kKinds[] = {
          StructureKeyword::kFor,   StructureKeyword::kNext,     StructureKeyword::kDo,
          StructureKeyword::kLoop,  StructureKeyword::kRepeat,   StructureKeyword::kUntil,
          StructureKeyword::kWhile, StructureKeyword::kIfThen,   StructureKeyword::kEndIf,
          StructureKeyword::kElse,  StructureKeyword::kSumOrMul, StructureKeyword::kSelect,
          StructureKeyword::kCase,  StructureKeyword::kDefault,  StructureKeyword::kEndSelect};
      e.structure = kKinds[Decimal(code.substr(0, 2))];
      if (e.structure == StructureKeyword::kUntil || e.structure == StructureKeyword::kWhile ||
          e.structure == StructureKeyword::kIfThen) {
        e.test = code[2] - '0';
      }
      if (e.structure == StructureKeyword::kSumOrMul) {
        e.arithmeticKey = groupStart_[kGroupPlainKey] + Decimal(code.substr(2));
      }
      if (e.structure == StructureKeyword::kCase) {
        e.relationPlace = Part(e.keywordPlace, 4, e.keywordPlace.size - 4);
      }
      break;
    }
    default:
      break;
  }
}

constexpr int KeywordTable::IndexOf(std::string_view upperToken) const {
  const std::uint32_t hash = TextIndex::Hash(upperToken);
  for (std::size_t slot = hash % kSlots;; slot = (slot + 1) % kSlots) {
    const Slot& at = slots_[slot];
    if (at.index == 0) return 0;
    if (at.hash == hash && TextAt(entry_[at.index].keywordPlace) == upperToken) {
      return static_cast<int>(at.index);
    }
  }
}

const KeywordTable& KeywordTable::BuiltIn() {
  // Built by the compiler: the program holds the finished table as constant data.
  static constexpr KeywordTable table;
  return table;
}

int KeywordTable::Find(std::string_view upperToken) const { return IndexOf(upperToken); }

}  // namespace calvern
