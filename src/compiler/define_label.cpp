// Label definition, and the one function that writes what a label's value gives into the
// cells of a reference: at the label's definition (a patch) and, when the value is already
// known, at once.
#include <charconv>

#include "compiler/compilation.h"

namespace calvern {
namespace {

// The keys a patched byte shows, "AL(34)" or "OF(1234)", put together in place: thousands of
// them are written where a program's forms and menus point at their steps.
class PatchKeys {
 public:
  PatchKeys(std::string_view head, int value) {
    head.copy(text_, head.size());
    char* end = std::to_chars(text_ + head.size(), text_ + sizeof text_ - 1, value).ptr;
    *end++ = ')';
    size_ = static_cast<std::size_t>(end - text_);
  }
  operator std::string_view() const { return {text_, size_}; }

 private:
  char text_[24];
  std::size_t size_;
};

}  // namespace

Status Compilation::DefineLabel(const std::string& token) {
  if (token == ":") return Fail(kEmptyLabel);
  std::string name = token.substr(0, token.size() - 1);
  // An operand that starts with a digit is read as a step number: such a label could never
  // be jumped to.
  if (name[0] >= '0' && name[0] <= '9') return Fail(kLabelStartsWithDigit, name);
  if (Names.labels.Full()) {
    return Fail(Names.labels.Find(name) >= 0 ? kDoubleDefinitionOf : kLabelTableFull, name);
  }
  const bool binaryLabel = Out.InBinaryZone();
  if (!Names.labels.Add(name, binaryLabel ? Out.BinaryPointer() + MemoryImage::kBinaryOffset
                                          : Out.CurrentStep())) {
    return Fail(kDoubleDefinitionOf, name);
  }
  if (name[0] != 'l') ++Names.userLabelCount;

  // References are patched with the step, or with the binary address itself. A reference
  // whose cells the source wrote again meanwhile is dropped: the later write stands.
  const int value = binaryLabel ? Out.BinaryPointer() : Out.CurrentStep();
  for (const ForwardRef& ref : Names.references.Resolve(name)) {
    if (!Out.StillAwaiting(ref.cell, CellsFilled(ref), ref.serial)) continue;
    if (Failed(FillReference(ref, name, value, binaryLabel, true))) return Status::kFailed;
  }
  return Status::kDone;
}

Status Compilation::FillReference(const ForwardRef& ref, std::string_view name, int value,
                                  bool binaryLabel, bool atDefinition) {
  const int cell = ref.cell;
  switch (ref.kind) {
    case PatchKind::kJumpLong:
    case PatchKind::kJumpOneByte: {
      // A binary-zone address means nothing as a jump target.
      if (binaryLabel) return Fail(kBinaryLabelAsJumpTarget, name);
      const int jumpStep = cell - 1;
      if (ref.kind == PatchKind::kJumpLong) {
        Out.FillOperand(cell, OperandKind::kAddressPair, value);
        return Status::kDone;
      }
      // A one-byte address reaches only the block of 100 steps of its jump.
      if (!OneByteAddress(jumpStep, value)) {
        return Fail(ref.outOfBlock, std::to_string(jumpStep));
      }
      Out.FillOperand(cell, OperandKind::kAddressByte, value);
      return Status::kDone;
    }
    case PatchKind::kNumDigits: {
      // The digit keystrokes of the value, padded with leading zeros to the cells reserved.
      std::string number = std::to_string(value);
      if (static_cast<int>(number.size()) > ref.digits) {
        return Fail(kBadValueIn, "#NUM" + std::to_string(ref.digits) + " " + std::string(name));
      }
      number.insert(0, ref.digits - number.size(), '0');
      for (int k = 0; k < ref.digits; ++k) {
        Out.Fill(cell + k, CellKind::kInstruction, DigitCode(number[k] - '0'),
                 std::string_view(number).substr(k, 1));
      }
      return Status::kDone;
    }
    case PatchKind::kAddressLow:
      // The low two digits as a binary byte (34 is 22).
      Out.Fill(cell, CellKind::kAddressPart, value % 100, PatchKeys("AL(", value % 100));
      return Status::kDone;
    case PatchKind::kAddressFull: {
      // Two BCD bytes, hundreds first, as a long jump holds its target. A patch shows the
      // hundreds it wrote, an address known at once the whole address.
      const OperandBytes bytes = EncodeOperand(OperandKind::kAddressPair, value);
      Out.Fill(cell, CellKind::kAddressPart, bytes.bytes[0],
               PatchKeys("AH(", atDefinition ? value / 100 : value));
      Out.Fill(cell + 1, CellKind::kAddressPart, bytes.bytes[1], "AL");
      return Status::kDone;
    }
    case PatchKind::kOffset:
      Out.Fill(cell, CellKind::kOffset, ((value - Out.OffsetBase()) % 256 + 256) % 256,
               PatchKeys("OF(", value));
      return Status::kDone;
    case PatchKind::kFormOffset: {
      // Counted from the form where the operand stands; one byte reaches 255 steps forward.
      const int offset = value - ref.base;
      if (offset < 0 || offset > 255) return Fail(kFormOffsetOutOfRange, name);
      Out.Fill(cell, CellKind::kOffset, offset, PatchKeys("OF(", value));
      return Status::kDone;
    }
  }
  return Status::kDone;
}

}  // namespace calvern
