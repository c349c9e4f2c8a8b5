#include "tables/instruction_table.h"

#include <iterator>

#include "tables/instruction_names.h"

namespace calvern {
namespace {

using enum Operation;
using K = OperandKind;
using P = KeysPrefix;

// The code map. Loops and jumps take one address byte in their own block of 100 steps, two
// otherwise; registers and indirect registers 0-14 ride in the opcode's low digit, 15-99 follow
// an escape opcode (low digit F) as one byte, and direct registers from 100 on follow the long
// opcode (F and the direct form's high digit) as two.
constexpr InstructionForm kForms[] = {
    {0x00, K::kNone, P::kNone, kDigit0},
    {0x01, K::kNone, P::kNone, kDigit1},
    {0x02, K::kNone, P::kNone, kDigit2},
    {0x03, K::kNone, P::kNone, kDigit3},
    {0x04, K::kNone, P::kNone, kDigit4},
    {0x05, K::kNone, P::kNone, kDigit5},
    {0x06, K::kNone, P::kNone, kDigit6},
    {0x07, K::kNone, P::kNone, kDigit7},
    {0x08, K::kNone, P::kNone, kDigit8},
    {0x09, K::kNone, P::kNone, kDigit9},
    {0x0A, K::kNone, P::kNone, kPoint},
    {0x0B, K::kNone, P::kNone, kChangeSign},
    {0x0C, K::kNone, P::kNone, kExponent},
    {0x0D, K::kNone, P::kNone, kClearX},
    {0x0E, K::kNone, P::kNone, kEnter},
    {0x0F, K::kNone, P::kF, kLastX},
    {0x10, K::kNone, P::kNone, kAdd},
    {0x11, K::kNone, P::kNone, kSubtract},
    {0x12, K::kNone, P::kNone, kMultiply},
    {0x13, K::kNone, P::kNone, kDivide},
    {0x14, K::kNone, P::kNone, kSwapXY},
    {0x15, K::kNone, P::kF, kTenToX},
    {0x16, K::kNone, P::kF, kExp},
    {0x17, K::kNone, P::kF, kLog},
    {0x18, K::kNone, P::kF, kLn},
    {0x19, K::kNone, P::kF, kArcsin},
    {0x1A, K::kNone, P::kF, kArccos},
    {0x1B, K::kNone, P::kF, kArctan},
    {0x1C, K::kNone, P::kF, kSin},
    {0x1D, K::kNone, P::kF, kCos},
    {0x1E, K::kNone, P::kF, kTan},
    {0x20, K::kNone, P::kF, kPi},
    {0x21, K::kNone, P::kF, kSqrt},
    {0x22, K::kNone, P::kF, kSquare},
    {0x23, K::kNone, P::kF, kReciprocal},
    {0x24, K::kNone, P::kF, kPower},
    {0x25, K::kNone, P::kF, kRotate},
    {0x26, K::kNone, P::kK, kHoursMinutesToDegrees},
    {0x27, K::kNone, P::kK, kEr09},
    {0x28, K::kNone, P::kK, kPrgm},
    {0x29, K::kNone, P::kK, kEr10},
    {0x2A, K::kNone, P::kK, kHoursMinutesSecondsToDegrees},
    {0x30, K::kNone, P::kK, kDegreesToHoursMinutesSeconds},
    {0x31, K::kNone, P::kK, kAbs},
    {0x32, K::kNone, P::kK, kSign},
    {0x33, K::kNone, P::kK, kDegreesToHoursMinutes},
    {0x34, K::kNone, P::kK, kInt},
    {0x35, K::kNone, P::kK, kFrac},
    {0x36, K::kNone, P::kK, kMax},
    {0x37, K::kNone, P::kK, kAnd},
    {0x38, K::kNone, P::kK, kOr},
    {0x39, K::kNone, P::kK, kXor},
    {0x3A, K::kNone, P::kK, kNot},
    {0x3B, K::kNone, P::kK, kRandom},
    {0x50, K::kNone, P::kNone, kRunStop},
    {0x52, K::kNone, P::kNone, kReturn},
    {0x54, K::kNone, P::kK, kNop},
    {0x55, K::kNone, P::kK, kScr},
    {0x56, K::kNone, P::kK, kGrph},
    {0xF2, K::kNone, P::kPP, kReturnFromInterrupt},
    // Loops: F L0 5D a, PF L0 FD h l.
    {0x5D, K::kAddressByte, P::kF, kLoop0},
    {0xFD, K::kAddressPair, P::kPF, kLoop0},
    {0x5B, K::kAddressByte, P::kF, kLoop1},
    {0xFB, K::kAddressPair, P::kPF, kLoop1},
    {0x58, K::kAddressByte, P::kF, kLoop2},
    {0xF8, K::kAddressPair, P::kPF, kLoop2},
    {0x5A, K::kAddressByte, P::kF, kLoop3},
    {0xFA, K::kAddressPair, P::kPF, kLoop3},
    // Jumps and calls: one address byte, two, or an indirect register.
    {0x5C, K::kAddressByte, P::kF, kTestNegative},
    {0xFC, K::kAddressPair, P::kP, kTestNegative},
    {0xC0, K::kIndirectDigit, P::kK, kTestNegative},
    {0xCF, K::kIndirectByte, P::kPK, kTestNegative},
    {0x5E, K::kAddressByte, P::kF, kTestZero},
    {0xFE, K::kAddressPair, P::kP, kTestZero},
    {0xE0, K::kIndirectDigit, P::kK, kTestZero},
    {0xEF, K::kIndirectByte, P::kPK, kTestZero},
    {0x59, K::kAddressByte, P::kF, kTestNotNegative},
    {0xF9, K::kAddressPair, P::kP, kTestNotNegative},
    {0x90, K::kIndirectDigit, P::kK, kTestNotNegative},
    {0x9F, K::kIndirectByte, P::kPK, kTestNotNegative},
    {0x57, K::kAddressByte, P::kF, kTestNotZero},
    {0xF7, K::kAddressPair, P::kP, kTestNotZero},
    {0x70, K::kIndirectDigit, P::kK, kTestNotZero},
    {0x7F, K::kIndirectByte, P::kPK, kTestNotZero},
    {0x51, K::kAddressByte, P::kNone, kGoto},
    {0xF1, K::kAddressPair, P::kP, kGoto},
    {0x80, K::kIndirectDigit, P::kK, kGoto},
    {0x8F, K::kIndirectByte, P::kPK, kGoto},
    {0x53, K::kAddressByte, P::kNone, kGosub},
    {0xF3, K::kAddressPair, P::kP, kGosub},
    {0xA0, K::kIndirectDigit, P::kK, kGosub},
    {0xAF, K::kIndirectByte, P::kPK, kGosub},
    // Registers: RM 5 is 65, P RM 6F r, PP RM F6 h l, K RM D5, PK RM DF r.
    {0x60, K::kRegisterDigit, P::kNone, kRecall},
    {0x6F, K::kRegisterByte, P::kP, kRecall},
    {0xF6, K::kRegisterPair, P::kPP, kRecall},
    {0xD0, K::kIndirectDigit, P::kK, kRecall},
    {0xDF, K::kIndirectByte, P::kPK, kRecall},
    {0x40, K::kRegisterDigit, P::kNone, kStore},
    {0x4F, K::kRegisterByte, P::kP, kStore},
    {0xF4, K::kRegisterPair, P::kPP, kStore},
    {0xB0, K::kIndirectDigit, P::kK, kStore},
    {0xBF, K::kIndirectByte, P::kPK, kStore},
};

// Registers held in the opcode's low digit: 0-14 (the digit F is the escape to a byte).
constexpr int kLargestDigitRegister = 14;
constexpr int kLargestByteRegister = 99;
constexpr int kLargestPair = 9999;

// The operand values each kind holds when the compiler writes it.
bool Holds(OperandKind kind, int value) {
  switch (kind) {
    case K::kNone:
      return true;
    case K::kRegisterDigit:
    case K::kIndirectDigit:
      return value >= 0 && value <= kLargestDigitRegister;
    case K::kRegisterByte:
    case K::kIndirectByte:
      return value > kLargestDigitRegister && value <= kLargestByteRegister;
    case K::kRegisterPair:
      return value > kLargestByteRegister && value <= kLargestPair;
    case K::kAddressByte:
      return value >= 0 && value <= 99;
    case K::kAddressPair:
      return value >= 0 && value <= kLargestPair;
  }
  return false;
}

}  // namespace

std::string_view KeysPrefixText(KeysPrefix prefix) {
  switch (prefix) {
    case P::kF:
      return "F ";
    case P::kK:
      return "K ";
    case P::kPK:
      return "PK ";
    case P::kPP:
      return "PP ";
    case P::kPF:
      return "PF ";
    case P::kP:
      return "P ";
    case P::kNone:
      break;
  }
  return "";
}

constexpr InstructionTable::InstructionTable() {
  for (std::size_t row = 0; row < std::size(kForms); ++row) {
    const InstructionForm& form = kForms[row];
    const auto place = static_cast<std::uint16_t>(row + 1);
    const int codes = InOpcode(form.operand) ? kLargestDigitRegister + 1 : 1;
    for (int k = 0; k < codes; ++k) byCode_[form.code + k] = place;
    byOperation_[static_cast<int>(form.operation)][static_cast<int>(form.operand)] = place;
  }
}

const InstructionTable& InstructionTable::BuiltIn() {
  static constexpr InstructionTable table;
  return table;
}

const Instruction& InstructionOf(Operation operation) {
  return instruction_names::kInstructions[static_cast<int>(operation)];
}

namespace {
const InstructionForm* AtPlace(std::uint16_t place) {
  return place == 0 ? nullptr : &kForms[place - 1];
}
}  // namespace

const InstructionForm* InstructionTable::Form(Operation operation, OperandKind kind) const {
  return AtPlace(byOperation_[static_cast<int>(operation)][static_cast<int>(kind)]);
}

const InstructionForm* InstructionTable::Decode(std::uint8_t code) const {
  return AtPlace(byCode_[code]);
}

std::span<const InstructionForm> InstructionTable::Forms() const { return kForms; }

OperandKind RegisterForm(int reg, bool indirect) {
  const OperandKind forms[] = {indirect ? K::kIndirectDigit : K::kRegisterDigit,
                               indirect ? K::kIndirectByte : K::kRegisterByte,
                               indirect ? K::kNone : K::kRegisterPair};
  for (OperandKind kind : forms) {
    if (kind != K::kNone && Holds(kind, reg)) return kind;
  }
  return K::kNone;
}

std::optional<int> DecodeOperand(const InstructionForm& form, std::uint8_t opcode,
                                 std::span<const std::uint8_t> following) {
  int value = 0;
  if (InOpcode(form.operand)) {
    value = opcode - form.code;
  } else {
    const int count = InstructionLength(form.operand) - 1;
    if (static_cast<int>(following.size()) < count) return std::nullopt;
    for (int k = 0; k < count; ++k) {
      std::optional<int> digits = FromBcd(following[k]);
      if (!digits) return std::nullopt;
      value = value * 100 + *digits;
    }
  }
  if (!Holds(form.operand, value)) return std::nullopt;
  return value;
}

std::optional<int> OneByteAddress(int jumpStep, int target) {
  if (jumpStep % 100 != 99 && jumpStep / 100 == target / 100) return target % 100;
  return std::nullopt;
}

std::optional<int> FromBcd(std::uint8_t byte) {
  const int high = byte >> 4;
  const int low = byte & 15;
  if (high > 9 || low > 9) return std::nullopt;
  return high * 10 + low;
}

std::uint8_t KeyCode(Operation operation) {
  return InstructionTable::BuiltIn().Form(operation, K::kNone)->code;
}

std::uint8_t DigitCode(int digit) {
  return KeyCode(static_cast<Operation>(static_cast<int>(kDigit0) + digit));
}

}  // namespace calvern
