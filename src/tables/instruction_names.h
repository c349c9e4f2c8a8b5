// The calculator's instructions by name: the key name the listing shows and the keyword table
// holds, and the spelling a hand-written source prefers. Constant data that the instruction
// table reads when the program runs and the keyword table when the program is built.
#pragma once

#include <iterator>
#include <optional>
#include <string_view>
#include <utility>

#include "tables/instruction_table.h"

namespace calvern {
namespace instruction_names {

using enum Operation;

// Every instruction, in the order of the Operation values.
inline constexpr Instruction kInstructions[] = {
    {kDigit0, "0", "0"},
    {kDigit1, "1", "1"},
    {kDigit2, "2", "2"},
    {kDigit3, "3", "3"},
    {kDigit4, "4", "4"},
    {kDigit5, "5", "5"},
    {kDigit6, "6", "6"},
    {kDigit7, "7", "7"},
    {kDigit8, "8", "8"},
    {kDigit9, "9", "9"},
    {kClearX, "CX", "CX"},
    {kSubtract, "-", "-"},
    {kDivide, "/", "/"},
    {kAdd, "+", "+"},
    {kMultiply, "*", "*"},
    {kEnter, "ENT", "ENT"},
    {kPoint, ".", "."},
    {kChangeSign, "+/-", "/-/"},
    {kExponent, "EE", "EE"},
    {kRunStop, "R/S", "R/S"},
    {kReturn, "RTN", "RTN"},
    {kSwapXY, "X<>Y", "X<>Y"},
    {kReturnFromInterrupt, "RTI", "RTI"},
    {kSin, "SIN", "SIN"},
    {kCos, "COS", "COS"},
    {kTan, "TAN", "TAN"},
    {kSqrt, "SQRT", "SQRT"},
    {kReciprocal, "1/X", "1/X"},
    {kArcsin, "ARCSIN", "ARCSIN"},
    {kArccos, "ARCCOS", "ARCCOS"},
    {kArctan, "ARCTAN", "ARCTAN"},
    {kPi, "PI", "PI"},
    {kSquare, "X^2", "X^2"},
    {kExp, "EXP", "EXP"},
    {kLog, "LOG", "LOG"},
    {kLn, "LN", "LN"},
    {kPower, "X^Y", "X^Y"},
    {kLastX, "ANS", "ANS"},
    {kTenToX, "10^X", "10^X"},
    {kRotate, "R", "ROT"},
    {kInt, "INT", "INT"},
    {kFrac, "FRAC", "FRAC"},
    {kMax, "MAX", "MAX"},
    {kAbs, "ABS", "ABS"},
    {kSign, "SGN", "SGN"},
    {kDegreesToHoursMinutes, "D->M", "D->M"},
    {kHoursMinutesToDegrees, "M->D", "M->D"},
    {kDegreesToHoursMinutesSeconds, "D->MS", "D->MS"},
    {kHoursMinutesSecondsToDegrees, "MS->D", "MS->D"},
    {kRandom, "RAN", "RAN"},
    {kNop, "NOP", "NOP"},
    {kAnd, "AND", "AND"},
    {kOr, "OR", "OR"},
    {kXor, "XOR", "XOR"},
    {kNot, "NOT", "NOT"},
    {kEr09, "ER09", "ER09"},
    {kPrgm, "PRGM", "PRGM"},
    {kEr10, "ER10", "ER10"},
    {kScr, "SCR", "SCR"},
    {kGrph, "GRPH", "GRPH"},
    {kLoop0, "L0", "L0"},
    {kLoop1, "L1", "L1"},
    {kLoop2, "L2", "L2"},
    {kLoop3, "L3", "L3"},
    // A source says best when each conditional jump is taken.
    {kTestNegative, "X<0", "IF(x>=0)GOTO"},
    {kTestZero, "X=0", "IF(x<>0)GOTO"},
    {kTestNotNegative, "X>=0", "IF(x<0)GOTO"},
    {kTestNotZero, "X!=0", "IF(x=0)GOTO"},
    {kGoto, "GOTO", "GOTO"},
    {kGosub, "GSB", "GSB"},
    {kRecall, "RM", "RCL"},
    {kStore, "M", "STO"},
};
static_assert(std::size(kInstructions) == kOperationCount);

// Key names of separate keyword entries that enter the same instruction.
inline constexpr std::pair<std::string_view, Operation> kSecondKeys[] = {
    {"TG", kTan}, {"ARCTG", kArctan}, {"E^X", kExp}};

}  // namespace instruction_names

// The operation whose key name is `keys` (upper-case; the instructions' own names first, then
// the second names), or nullopt.
constexpr std::optional<Operation> OperationOfKeys(std::string_view keys) {
  for (const Instruction& instruction : instruction_names::kInstructions) {
    if (keys == instruction.keys) return instruction.operation;
  }
  for (const auto& [name, operation] : instruction_names::kSecondKeys) {
    if (keys == name) return operation;
  }
  return std::nullopt;
}

}  // namespace calvern
