// Label definition and the patching of the references that waited for it.
#include "compiler/byte_text.h"
#include "compiler/compilation.h"

namespace calvern {
int Compilation::DefineLabel(const std::string& token) {
  if (token == ":") return Fail(kEmptyLabel);
  std::string name = token.substr(0, token.size() - 1);
  if (Labels.Find(name) >= 0) return Fail(kDoubleDefinitionOf, name);
  if (Labels.Full()) return Fail(kLabelTableFull, name);
  bool binaryLabel = InBinaryZone;
  Labels.Add(name, binaryLabel ? BinaryPointer + MemoryImage::kBinaryOffset : CurrentStep);
  if (name[0] != 'l') ++UserLabelCount;

  // References are patched with the step, or with the binary address itself.
  int value = binaryLabel ? BinaryPointer : CurrentStep;
  int error = 0;
  for (const ForwardRef& ref : ForwardRefs.Resolve(name)) {
    PatchReference(ref, value, binaryLabel, &error);
    if (error) return error;
  }
  return 0;
}

void Compilation::PatchReference(const ForwardRef& ref, int value, bool binaryLabel, int* error) {
  const int position = ref.position;
  const std::string& name = ref.name;
  std::string digits = AddressDigits(value);
  if (position >= 0) {
    // The address bytes of a jump. A binary-zone address means nothing as a jump target.
    if (binaryLabel) {
      *error = Fail(kBinaryLabelAsJumpTarget, name);
      return;
    }
    // The jump's own width decides the patch: a long jump keeps both bytes even under a
    // "!label:", which would otherwise cut its address in half. A one-byte address reaches
    // only the block of 100 steps of its jump.
    int jumpStep = position - 1;
    if (ref.oneByte && (jumpStep % 100 == 99 || jumpStep / 100 != value / 100)) {
      *error = Fail(kShortJumpOutOfBlock, std::to_string(jumpStep));
      return;
    }
    if (!ref.oneByte) {
      Image.Code[position] = digits.substr(2, 2);
      Image.ListingText[position] = digits.substr(4, 3);
      Image.Code[position + 1] = digits.substr(0, 2);
      Image.ListingText[position + 1] = digits.substr(7, 3);
    } else {
      Image.Code[position] = digits.substr(0, 2);
      Image.ListingText[position] = digits.substr(7, 3);
    }
    return;
  }
  // A data item: the marker in its last reserved cell says how to fill it.
  int cell = -position - 1;
  const std::string marker = Image.Code[cell].substr(0, 3);
  const std::string data = kDataMark;
  if (marker == "NUM") {
    int count = Image.Code[cell].size() > 3 ? Image.Code[cell][3] - '0' : 4;
    std::string number = std::to_string(value);
    if (static_cast<int>(number.size()) > count) {
      *error = Fail(kBadValueIn, "#NUM" + std::to_string(count) + " " + name);
      return;
    }
    number.insert(0, count - number.size(), '0');
    for (int k = 0; k < count; ++k) {
      int target = cell - count + 1 + k;
      Image.Code[target] = std::string("0") + number[k];
      Image.ListingText[target] = std::string(1, number[k]);
    }
  } else if (marker == "DAL") {
    Image.Code[cell] = Hex2(value % 100);
    Image.ListingText[cell] = data + "AL(" + std::to_string(value % 100) + ")";
  } else if (marker == "DAF") {
    Image.Code[cell] = TwoDigits(value % 100);
    Image.ListingText[cell] = data + "AL";
    Image.Code[cell - 1] = TwoDigits(value / 100);
    Image.ListingText[cell - 1] = data + "AH(" + std::to_string(value / 100) + ")";
  } else if (marker == "OFF" || marker == "OF2") {
    int base = marker == "OFF" ? OffsetBase : FormProgramBase;
    Image.Code[cell] = Hex2(((value - base) % 256 + 256) % 256);
    Image.ListingText[cell] = data + "OF(" + std::to_string(value) + ")";
  }
}

}  // namespace calvern
