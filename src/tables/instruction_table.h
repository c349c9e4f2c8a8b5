// The calculator's instruction set, known in one table and read in both directions: the
// compiler encodes an instruction and its operand through it, the disassembler decodes bytes
// through it, and an executor of programs dispatches on the operation it decodes. Every rule
// of the encoding (which form an operand takes, how its bytes are made, where a one-byte jump
// reaches) lives here once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace calvern {

// The keys the listing shows in front of an instruction's key name.
enum class KeysPrefix : std::uint8_t { kNone, kF, kK, kPK, kPP, kPF, kP };

// "F ", "K ", "PK ", "PP ", "PF ", "P ", or "" for none.
std::string_view KeysPrefixText(KeysPrefix prefix);

// Where an instruction's operand is held and how it is encoded.
enum class OperandKind : std::uint8_t {
  kNone,
  kRegisterDigit,  // register 0-14 in the opcode's low digit (RCL 5: 65)
  kRegisterByte,   // register 15-99 as one BCD byte after the opcode (RCL 15: 6F 15)
  kRegisterPair,   // register 100-9999 as two BCD bytes, hundreds first (RCL 9120: F6 91 20)
  kIndirectDigit,  // indirect register 0-14 in the low digit (RCL (5): D5)
  kIndirectByte,   // indirect register 15-99 as one BCD byte (RCL (15): DF 15)
  kAddressByte,    // a step of the jump's own block of 100: one BCD byte, its low two digits
  kAddressPair,    // any step 0-9999: two BCD bytes, hundreds first (GOTO 1234: F1 12 34)
};

// Steps an instruction of this operand kind takes, opcode included. (These and the encoding
// below are inline: the compiler asks them for every instruction it writes.)
inline int InstructionLength(OperandKind kind) {
  switch (kind) {
    case OperandKind::kRegisterByte:
    case OperandKind::kIndirectByte:
    case OperandKind::kAddressByte:
      return 2;
    case OperandKind::kRegisterPair:
    case OperandKind::kAddressPair:
      return 3;
    default:
      return 1;
  }
}
// Whether the operand is a register (direct or indirect), an address, or held in the opcode.
inline bool IsIndirect(OperandKind kind) {
  return kind == OperandKind::kIndirectDigit || kind == OperandKind::kIndirectByte;
}
inline bool IsAddress(OperandKind kind) {
  return kind == OperandKind::kAddressByte || kind == OperandKind::kAddressPair;
}
constexpr bool InOpcode(OperandKind kind) {
  return kind == OperandKind::kRegisterDigit || kind == OperandKind::kIndirectDigit;
}

// What an instruction does: the switch of an executor. One value per calculator instruction,
// whatever form its operand takes.
enum class Operation : std::uint8_t {
  kDigit0,
  kDigit1,
  kDigit2,
  kDigit3,
  kDigit4,
  kDigit5,
  kDigit6,
  kDigit7,
  kDigit8,
  kDigit9,
  kClearX,
  kSubtract,
  kDivide,
  kAdd,
  kMultiply,
  kEnter,
  kPoint,
  kChangeSign,
  kExponent,
  kRunStop,
  kReturn,
  kSwapXY,
  kReturnFromInterrupt,
  kSin,
  kCos,
  kTan,
  kSqrt,
  kReciprocal,
  kArcsin,
  kArccos,
  kArctan,
  kPi,
  kSquare,
  kExp,
  kLog,
  kLn,
  kPower,
  kLastX,
  kTenToX,
  kRotate,
  kInt,
  kFrac,
  kMax,
  kAbs,
  kSign,
  kDegreesToHoursMinutes,
  kHoursMinutesToDegrees,
  kDegreesToHoursMinutesSeconds,
  kHoursMinutesSecondsToDegrees,
  kRandom,
  kNop,
  kAnd,
  kOr,
  kXor,
  kNot,
  kEr09,
  kPrgm,
  kEr10,
  kScr,
  kGrph,
  kLoop0,
  kLoop1,
  kLoop2,
  kLoop3,
  // The conditional jumps are taken when their test fails: X<0 jumps when x >= 0.
  kTestNegative,
  kTestZero,
  kTestNotNegative,
  kTestNotZero,
  kGoto,
  kGosub,
  kRecall,
  kStore,
};
inline constexpr int kOperationCount = static_cast<int>(Operation::kStore) + 1;

// One instruction: its key name as the listing shows it and the keyword table holds it, and
// the spelling a source written by hand prefers.
struct Instruction {
  Operation operation;
  const char* keys;      // "GOTO", "RM", "X<0", "SIN"
  const char* mnemonic;  // "GOTO", "RCL", "IF(x>=0)GOTO", "SIN"
};

// One form of an instruction: a row of the code map. A decoder finds the row of a byte, an
// encoder the row of an operation and an operand kind.
struct InstructionForm {
  std::uint8_t code;  // the opcode; for an operand in the low digit, the opcode of register 0
  OperandKind operand;
  KeysPrefix prefix;
  Operation operation;
};

// The bytes that follow an opcode.
struct OperandBytes {
  int count = 0;
  std::array<std::uint8_t, 2> bytes{};
};

// The instruction of an operation (see instruction_names.h for the instructions by key name).
const Instruction& InstructionOf(Operation operation);

class InstructionTable {
 public:
  static const InstructionTable& BuiltIn();

  // The row of `operation` with this operand kind, or nullptr when it has no such form.
  const InstructionForm* Form(Operation operation, OperandKind kind) const;
  // The row that holds the byte `code` as its opcode, or nullptr for a byte no instruction
  // starts with.
  const InstructionForm* Decode(std::uint8_t code) const;
  // Every row, in the table's order.
  std::span<const InstructionForm> Forms() const;

 private:
  constexpr InstructionTable();
  static constexpr int kOperandKinds = static_cast<int>(OperandKind::kAddressPair) + 1;
  // Rows by their place in the table from 1, 0 for none: places rather than pointers, so that
  // the compiler builds the whole table into read-only data and no run spends time on it.
  std::array<std::uint16_t, 256> byCode_{};
  std::array<std::array<std::uint16_t, kOperandKinds>, kOperationCount> byOperation_{};
};

// ---- The encoding rules, for both directions ----

// A value 0-99 as the byte whose hexadecimal digits are its decimal digits (BCD), and back.
inline constexpr int Bcd(int value) { return (value / 10 % 10) * 16 + value % 10; }
std::optional<int> FromBcd(std::uint8_t byte);
// The form a register operand takes: kNone for an indirect register above 99, which has none.
OperandKind RegisterForm(int reg, bool indirect);
// The opcode of a form for an operand (the register in the low digit, for those forms).
inline std::uint8_t OpcodeFor(const InstructionForm& form, int operand) {
  return static_cast<std::uint8_t>(InOpcode(form.operand) ? form.code + (operand & 15) : form.code);
}
// The bytes after the opcode that hold `operand` (a register, or an address: the low two
// digits for kAddressByte). Emission and patching both write these.
inline OperandBytes EncodeOperand(OperandKind kind, int operand) {
  OperandBytes out;
  switch (InstructionLength(kind) - 1) {
    case 1:
      out.count = 1;
      out.bytes[0] = static_cast<std::uint8_t>(Bcd(operand % 100));
      break;
    case 2:
      out.count = 2;
      out.bytes[0] = static_cast<std::uint8_t>(Bcd(operand / 100));
      out.bytes[1] = static_cast<std::uint8_t>(Bcd(operand % 100));
      break;
    default:
      break;
  }
  return out;
}
// The operand of an instruction from its opcode and the bytes after it, nullopt when they are
// not what the compiler would write for it: a byte that is no BCD byte, or a register that
// another form holds (6F 05 is RCL 5 the long way; the compiler writes 65).
std::optional<int> DecodeOperand(const InstructionForm& form, std::uint8_t opcode,
                                 std::span<const std::uint8_t> following);

// The one-byte jump: a jump at `jumpStep` reaches `target` with one address byte when the jump
// and its byte lie in the target's block of 100 steps. The byte's value (the target's low two
// digits), or nullopt.
std::optional<int> OneByteAddress(int jumpStep, int target);
// The step a one-byte jump at `jumpStep` with address value `low` (0-99) goes to.
inline int OneByteTarget(int jumpStep, int low) { return jumpStep - jumpStep % 100 + low; }

// The code of an instruction that takes no operand (a keystroke such as ".", "/-/", "EE").
std::uint8_t KeyCode(Operation operation);
// The code of the keystroke that enters a decimal digit 0-9.
std::uint8_t DigitCode(int digit);

}  // namespace calvern
