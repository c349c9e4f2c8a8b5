// #PROGRAM, #BINARY, #BLOCK, #BASE and #DECIMAL: the zone being written and the initial values
// of decimal registers.
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/decimal_value.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

// #BLOCK n: step 100 n in the program zone, binary address 1000 + 64 n in the binary zone.
Status CompileBlock(Compilation& c) {
  std::optional<long long> value = c.NextValue("#BLOCK");
  if (!value) return Status::kFailed;
  const long long n = *value;
  const MemoryZone& zone = c.Out.InBinaryZone() ? kBinaryMemory : kProgramMemory;
  if (n < 0 || n >= zone.Blocks()) return c.Fail(kBadValueIn, "#BLOCK " + std::to_string(n));
  const int start = zone.firstNumber + zone.blockSize * static_cast<int>(n);
  if (c.Out.InBinaryZone()) {
    c.Out.SetBinaryPointer(start);
  } else {
    c.Out.SetCurrentStep(start);
  }
  return Status::kDone;
}

// #DECIMAL: pairs of register (or ">" for the next one) and value, until #PROGRAM, #BINARY or
// the end of the source.
Status CompileDecimal(Compilation& c) {
  c.Out.UseDecimalZone();
  int reg = 0;
  for (;;) {
    std::string token = c.NextUpperToken();
    if (token.empty()) return Status::kDone;
    if (token == "#BINARY") {
      c.Out.SelectBinaryZone();
      return Status::kDone;
    }
    if (token == "#PROGRAM") {
      c.Out.SelectProgramZone();
      return Status::kDone;
    }
    if (token == ">") {
      ++reg;
    } else {
      std::optional<RegisterOperand> operand = c.RegisterNumber(token);
      if (!operand) return Status::kFailed;
      if (operand->indirect) return c.Fail(kUnavailableIndirectAddressing, token);
      reg = operand->number;
    }
    if (reg >= kDecimalRegisters) return c.Fail(kDecimalRegisterOutOfRange, std::to_string(reg));
    std::optional<std::string> value = c.NextOperand(kUnexpectedEndOfFileIn, "#DECIMAL");
    if (!value) return Status::kFailed;
    if (!IsDecimalNumber(*value)) return c.Fail(kNumberExpectedIn, "#DECIMAL " + *value);
    std::optional<DecimalImage> image = DecimalRegisterImage(*value);
    if (!image) return c.Fail(kDecimalExponentOutOfRange, *value);
    c.Out.SetDecimalRegister(reg, image->bytes, *value);
  }
}

}  // namespace

Status CompileZoneDirective(Compilation& c, int index) {
  switch (index) {
    case kDirProgram:
      c.Out.SelectProgramZone();
      return Status::kDone;
    case kDirBinary:
      c.Out.SelectBinaryZone();
      return Status::kDone;
    case kDirBlock:
      return CompileBlock(c);
    case kDirBase:
      c.Out.SetOffsetBase();
      return Status::kDone;
    default:
      return CompileDecimal(c);
  }
}

}  // namespace calvern
