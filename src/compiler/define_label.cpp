// Label definition and the patching of the references that waited for it.
#include "compiler/byte_text.h"
#include "compiler/compilation.h"

namespace calvern {

Status Compilation::DefineLabel(const std::string& token) {
  if (token == ":") return Fail(kEmptyLabel);
  std::string name = token.substr(0, token.size() - 1);
  // An operand that starts with a digit is read as a step number: such a label could never
  // be jumped to.
  if (name[0] >= '0' && name[0] <= '9') return Fail(kLabelStartsWithDigit, name);
  if (Names.labels.Find(name) >= 0) return Fail(kDoubleDefinitionOf, name);
  if (Names.labels.Full()) return Fail(kLabelTableFull, name);
  const bool binaryLabel = Out.InBinaryZone();
  Names.labels.Add(
      name, binaryLabel ? Out.BinaryPointer() + MemoryImage::kBinaryOffset : Out.CurrentStep());
  if (name[0] != 'l') ++Names.userLabelCount;

  // References are patched with the step, or with the binary address itself.
  const int value = binaryLabel ? Out.BinaryPointer() : Out.CurrentStep();
  for (const ForwardRef& ref : Names.references.Resolve(name)) {
    if (Failed(Patch(ref, value, binaryLabel))) return Status::kFailed;
  }
  return Status::kDone;
}

Status Compilation::Patch(const ForwardRef& ref, int value, bool binaryLabel) {
  const std::string data = kDataMark;
  const int cell = ref.cell;
  switch (ref.kind) {
    case PatchKind::kJumpLong:
    case PatchKind::kJumpOneByte: {
      // A binary-zone address means nothing as a jump target.
      if (binaryLabel) return Fail(kBinaryLabelAsJumpTarget, ref.name);
      const int jumpStep = cell - 1;
      if (ref.kind == PatchKind::kJumpLong) {
        Out.PatchOperand(cell, OperandKind::kAddressPair, value);
        return Status::kDone;
      }
      // A one-byte address reaches only the block of 100 steps of its jump.
      if (!OneByteAddress(jumpStep, value)) {
        return Fail(kShortJumpOutOfBlock, std::to_string(jumpStep));
      }
      Out.PatchOperand(cell, OperandKind::kAddressByte, value);
      return Status::kDone;
    }
    case PatchKind::kNumDigits: {
      std::string number = std::to_string(value);
      if (static_cast<int>(number.size()) > ref.digits) {
        return Fail(kBadValueIn, "#NUM" + std::to_string(ref.digits) + " " + ref.name);
      }
      number.insert(0, ref.digits - number.size(), '0');
      for (int k = 0; k < ref.digits; ++k) {
        Out.Patch(cell + k, DigitCode(number[k] - '0'), std::string(1, number[k]));
      }
      return Status::kDone;
    }
    case PatchKind::kAddressLow:
      Out.Patch(cell, value % 100, data + "AL(" + std::to_string(value % 100) + ")");
      return Status::kDone;
    case PatchKind::kAddressFull:
      Out.Patch(cell, Bcd(value / 100), data + "AH(" + std::to_string(value / 100) + ")");
      Out.Patch(cell + 1, Bcd(value % 100), data + "AL");
      return Status::kDone;
    case PatchKind::kOffset:
      Out.Patch(cell, ((value - Out.OffsetBase()) % 256 + 256) % 256,
                data + "OF(" + std::to_string(value) + ")");
      return Status::kDone;
    case PatchKind::kFormOffset: {
      // Counted from the form where the operand stands; one byte reaches 255 steps forward.
      const int offset = value - ref.base;
      if (offset < 0 || offset > 255) return Fail(kFormOffsetOutOfRange, ref.name);
      Out.Patch(cell, offset, data + "OF(" + std::to_string(value) + ")");
      return Status::kDone;
    }
  }
  return Status::kDone;
}

}  // namespace calvern
