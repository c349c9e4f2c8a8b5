#include "tables/instruction_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tables/keyword_table.h"

namespace calvern {
namespace {

const InstructionTable& Table() { return InstructionTable::BuiltIn(); }

int HexDigit(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }
int HexByte(char high, char low) { return HexDigit(high) * 16 + HexDigit(low); }

struct ExpectedForm {
  OperandKind kind;
  int code;
  KeysPrefix prefix;
};

// The forms the keyword table's code text describes, read as its layout per group says.
std::vector<ExpectedForm> FormsOfCodeText(int group, std::string_view code) {
  using K = OperandKind;
  using P = KeysPrefix;
  switch (group) {
    case kGroupPlainKey:
      return {{K::kNone, HexByte(code[0], code[1]), code == "F2" ? P::kPP : P::kNone}};
    case kGroupFKey:
      return {{K::kNone, HexByte(code[0], code[1]), P::kF}};
    case kGroupKKey:
      return {{K::kNone, HexByte(code[0], code[1]), P::kK}};
    case kGroupLoop:
      return {{K::kAddressByte, HexByte(code[0], code[1]), P::kF},
              {K::kAddressPair, HexByte('F', code[1]), P::kPF}};
    case kGroupJump:
      return {{K::kAddressByte, HexByte(code[1], code[2]), code[0] == '0' ? P::kF : P::kNone},
              {K::kAddressPair, HexByte('F', code[2]), P::kP},
              {K::kIndirectDigit, HexByte(code[3], '0'), P::kK},
              {K::kIndirectByte, HexByte(code[3], 'F'), P::kPK}};
    default:  // registers: direct digit, indirect digit
      return {{K::kRegisterDigit, HexByte(code[0], '0'), P::kNone},
              {K::kRegisterByte, HexByte(code[0], 'F'), P::kP},
              {K::kRegisterPair, HexByte('F', code[0]), P::kPP},
              {K::kIndirectDigit, HexByte(code[1], '0'), P::kK},
              {K::kIndirectByte, HexByte(code[1], 'F'), P::kPK}};
  }
}

// The keyword table's code texts are the calculator's codes as its documentation gives them;
// every instruction keyword reaches a row of the instruction table that agrees with them.
TEST(InstructionTable, AgreesWithTheKeywordTableCodes) {
  const KeywordTable& keywords = KeywordTable::BuiltIn();
  int linked = 0;
  for (int i = keywords.GroupStart(kGroupPlainKey); i < keywords.GroupStart(kGroupStructure); ++i) {
    const KeywordEntry& entry = keywords.Entry(keywords.ResolveAlias(i));
    SCOPED_TRACE(entry.Keyword());
    ASSERT_NE(entry.EnteredInstruction(), nullptr);
    ++linked;
    std::set<OperandKind> described;
    for (const ExpectedForm& e : FormsOfCodeText(entry.group, entry.Code())) {
      const InstructionForm* form = Table().Form(entry.EnteredInstruction()->operation, e.kind);
      ASSERT_NE(form, nullptr) << static_cast<int>(e.kind);
      EXPECT_EQ(form->code, e.code) << static_cast<int>(e.kind);
      EXPECT_EQ(form->prefix, e.prefix) << static_cast<int>(e.kind);
      described.insert(e.kind);
    }
    // No form the code text does not describe.
    for (const InstructionForm& form : Table().Forms()) {
      if (form.operation == entry.EnteredInstruction()->operation) {
        EXPECT_TRUE(described.contains(form.operand)) << static_cast<int>(form.code);
      }
    }
  }
  EXPECT_EQ(linked, 28 + 24 + 28 + 4 + 13 + 7);
}

// Every operand every form holds is encoded and decoded back to the same form and value.
TEST(InstructionTable, EveryFormAndOperandRoundTrips) {
  for (const InstructionForm& form : Table().Forms()) {
    SCOPED_TRACE(static_cast<int>(form.code));
    for (int value = 0; value <= 9999; ++value) {
      const bool indirect = IsIndirect(form.operand);
      const bool fits =
          IsAddress(form.operand) ? (form.operand == OperandKind::kAddressPair || value <= 99)
          : form.operand == OperandKind::kNone ? value == 0
                                               : RegisterForm(value, indirect) == form.operand;
      if (!fits) continue;
      const std::uint8_t opcode = OpcodeFor(form, value);
      const OperandBytes bytes = EncodeOperand(form.operand, value);
      ASSERT_EQ(1 + bytes.count, InstructionLength(form.operand));
      ASSERT_EQ(Table().Decode(opcode), &form) << value;
      EXPECT_EQ(DecodeOperand(form, opcode, std::span(bytes.bytes.data(), bytes.count)), value);
    }
  }
}

TEST(InstructionTable, BytesNoInstructionStartsWith) {
  // Read off the keyword table: 1F, 2B-2F, 3C-3F, 5F, F0, F5 and FF enter nothing.
  const std::set<int> none = {0x1F, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x3C,
                              0x3D, 0x3E, 0x3F, 0x5F, 0xF0, 0xF5, 0xFF};
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(Table().Decode(static_cast<std::uint8_t>(code)) == nullptr, none.contains(code))
        << code;
  }
}

// Bytes the compiler never writes for an operand do not decode: no BCD byte, or a register
// another form holds.
TEST(InstructionTable, OperandsOutsideTheirFormAreRefused) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::optional<int> operand;
  };
  const Case cases[] = {
      {{0x6F, 0x15}, 15},
      {{0x6F, 0x05}, std::nullopt},
      {{0x6F, 0x1A}, std::nullopt},
      {{0xF6, 0x01, 0x00}, 100},
      {{0xF6, 0x00, 0x99}, std::nullopt},
      {{0xDF, 0x99}, 99},
      {{0xDF, 0x14}, std::nullopt},
      {{0x51, 0x99}, 99},
      {{0x51, 0xA0}, std::nullopt},
      {{0xF1, 0x99, 0x99}, 9999},
      {{0xF1, 0x12}, std::nullopt},  // truncated
      {{0x6E}, 14},
      {{0xDE}, 14},
  };
  for (const Case& c : cases) {
    const InstructionForm* form = Table().Decode(c.bytes[0]);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(DecodeOperand(*form, c.bytes[0], std::span(c.bytes).subspan(1)), c.operand)
        << static_cast<int>(c.bytes[0]) << " " << c.bytes.size();
  }
  EXPECT_EQ(RegisterForm(100, true), OperandKind::kNone);
}

TEST(InstructionTable, OneByteJumpsStayInTheirBlock) {
  EXPECT_EQ(OneByteAddress(1250, 1234), 34);
  EXPECT_EQ(OneByteAddress(1200, 1299), 99);
  EXPECT_EQ(OneByteAddress(1199, 1150), std::nullopt);  // its byte would be in the next block
  EXPECT_EQ(OneByteAddress(1250, 1300), std::nullopt);
  EXPECT_EQ(OneByteTarget(1250, 34), 1234);
  EXPECT_EQ(DigitCode(7), 0x07);
  EXPECT_EQ(KeyCode(Operation::kExponent), 0x0C);
}

}  // namespace
}  // namespace calvern
