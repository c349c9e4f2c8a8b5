#include "compiler/emitter.h"

#include "compiler/byte_text.h"
#include "tables/character_table.h"

namespace calvern {
namespace {

const char* PrefixText(KeysPrefix prefix) {
  switch (prefix) {
    case KeysPrefix::kF:
      return "F ";
    case KeysPrefix::kK:
      return "K ";
    case KeysPrefix::kPK:
      return "PK ";
    case KeysPrefix::kPP:
      return "PP ";
    case KeysPrefix::kPF:
      return "PF ";
    case KeysPrefix::kP:
      return "P ";
    default:
      return "";
  }
}

}  // namespace

void Emitter::Write(int value, std::string keys) {
  if (currentStep_ >= zoneEnd_ || currentStep_ < zoneStart_) {
    if (!log_.HasError()) {
      (void)log_.Fail({.message = zoneEnd_ == MemoryImage::kProgramCells ? kStepCounterPast9999
                                                                         : kBinaryZoneFull});
    }
    return;
  }
  image_.Set(currentStep_, value, std::move(keys));
  ++currentStep_;
}

void Emitter::EmitKey(const KeywordEntry& keyword, KeysPrefix prefix, int opcode) {
  Write(opcode, PrefixText(prefix) + keyword.keyword + " ");
}

void Emitter::EmitRegisterKey(const KeywordEntry& keyword, KeysPrefix prefix, int highDigit,
                              int reg) {
  Write(highDigit * 16 + (reg & 15),
        PrefixText(prefix) + keyword.keyword + " " + "0123456789abcdef"[reg & 15]);
}

void Emitter::EmitAddressByte(int value) {
  std::string digits = TwoDigits(value);
  Write(Bcd(value), std::string(1, digits[0]) + " " + digits[1]);
}

void Emitter::EmitKeystroke(int opcode, std::string keys) { Write(opcode, std::move(keys)); }

void Emitter::EmitData(int value, const std::string& keys) { Write(value, kDataMark + keys); }

void Emitter::EmitChar(int code) {
  if (code == 0) return EmitData(0, "nul");
  if (code == 10) return EmitData(10, "newline");
  // The listing shows the character the code stands for, in UTF-8: "Ж" for 86.
  EmitData(code, "\"" + CharacterTable::BuiltIn().Shown(code) + "\"");
}

int Emitter::ReserveData(const std::string& keys) {
  int cell = currentStep_;
  EmitData(0, keys);
  return cell;
}

void Emitter::SetDecimalRegister(int r, const std::array<int, 8>& bytes, const std::string& text) {
  int cell = MemoryImage::kDecimalStart + 8 * r;
  for (int k = 0; k < 8; ++k) image_.Set(cell + k, bytes[k], k == 0 ? text : std::string());
}

int Emitter::ShortAddress(int target) const {
  if (currentStep_ % 100 != 99 && currentStep_ / 100 == target / 100) return target % 100;
  return -1;
}

void Emitter::BeginData() {
  if (dataDepth_++ > 0 || !inBinaryZone_) return;
  savedStep_ = currentStep_;
  currentStep_ = binaryPointer_ + MemoryImage::kBinaryOffset;
  zoneStart_ = MemoryImage::kBinaryStart;
  zoneEnd_ = MemoryImage::kDecimalStart;
}

void Emitter::EndData() {
  if (--dataDepth_ > 0 || zoneEnd_ == MemoryImage::kProgramCells) return;
  binaryPointer_ = currentStep_ - MemoryImage::kBinaryOffset;
  currentStep_ = savedStep_;
  zoneStart_ = 0;
  zoneEnd_ = MemoryImage::kProgramCells;
}

std::string AddressDigits(int address) {
  std::string low = TwoDigits(address % 100);
  std::string high = TwoDigits(address / 100);
  return low + high + high[0] + " " + high[1] + low[0] + " " + low[1];
}

}  // namespace calvern
