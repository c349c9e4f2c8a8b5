// #PROGRAM, #BINARY, #BLOCK, #BASE and #DECIMAL: the zone being written and the initial values
// of decimal registers.
#include "compiler/byte_text.h"
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/decimal_value.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

void SelectBinaryZone(Compilation& c) {
  c.InBinaryZone = true;
  c.BinaryZoneUsed = true;
}

// #BLOCK n: step 100 n in the program zone, binary address 1000 + 64 n in the binary zone.
int CompileBlock(Compilation& c) {
  std::string token = c.NextUpperToken();
  if (token.empty()) return c.Fail(kUnexpectedEndOfFile);
  long long n = LeadingNumber(token);
  long long blocks = c.InBinaryZone ? 64 : 100;
  if (n < 0 || n >= blocks) return c.Fail(kBadValueIn, "#BLOCK " + token);
  if (c.InBinaryZone)
    c.BinaryPointer = static_cast<int>(1000 + 64 * n);
  else
    c.CurrentStep = static_cast<int>(100 * n);
  return 0;
}

// Writes the eight cells of register r; the first one's listing shows the value as written.
void WriteRegister(Compilation& c, int r, const DecimalImage& value, const std::string& token) {
  int cell = MemoryImage::kDecimalStart + 8 * r;
  for (int k = 0; k < 8; ++k) {
    c.Image.Code[cell + k] = Hex2(value.bytes[k]);
    c.Image.ListingText[cell + k] = k == 0 ? token : std::string();
  }
}

// #DECIMAL: pairs of register (or ">" for the next one) and value, until #PROGRAM, #BINARY or
// the end of the source.
int CompileDecimal(Compilation& c) {
  c.DecimalZoneUsed = true;
  int reg = 0;
  for (;;) {
    std::string token = c.NextUpperToken();
    if (token.empty()) return 0;
    if (token == "#BINARY") {
      SelectBinaryZone(c);
      return 0;
    }
    if (token == "#PROGRAM") {
      c.InBinaryZone = false;
      return 0;
    }
    if (token == ">") {
      ++reg;
    } else {
      std::optional<RegisterOperand> operand = c.RegisterNumber(token);
      if (!operand) return 1;
      if (operand->indirect) return c.Fail(kUnavailableIndirectAddressing, token);
      reg = operand->number;
    }
    if (reg > 999) return c.Fail(kDecimalRegisterOutOfRange, std::to_string(reg));
    std::string value = c.NextUpperToken();
    if (value.empty()) return c.Fail(kUnexpectedEndOfFileIn, "#DECIMAL");
    std::optional<DecimalImage> image = DecimalRegisterImage(value);
    if (!image) return c.Fail(kDecimalExponentOutOfRange, value);
    WriteRegister(c, reg, *image, value);
  }
}

}  // namespace

int CompileZoneDirective(Compilation& c, int index) {
  switch (index) {
    case kDirProgram:
      c.InBinaryZone = false;
      return 0;
    case kDirBinary:
      SelectBinaryZone(c);
      return 0;
    case kDirBlock:
      return CompileBlock(c);
    case kDirBase:
      c.OffsetBase = c.InBinaryZone ? c.BinaryPointer : c.CurrentStep;
      return 0;
    default:
      return CompileDecimal(c);
  }
}

}  // namespace calvern
