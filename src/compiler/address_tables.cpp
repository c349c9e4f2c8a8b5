// Address tables: #DAL (low two digits of each address), #DAF (the address as two BCD bytes),
// #DAFK (key byte and address) and #OFFSET (distance from the #BASE location).
#include "compiler/byte_text.h"
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/data_placement.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

const std::string kMark = kDataMark;

// One address item, written at once for a known address or reserved with its patch marker.
int EmitAddressItem(Compilation& c, int index, const std::string& name,
                    const std::string& operand) {
  std::optional<AddressOperand> address = c.AddressValue(operand);
  if (!address) return 1;
  if (address->indirect) return c.Fail(kUnavailableIndirectAddressing, operand);
  const bool full = index == kDirDaf || index == kDirDafk;
  if (c.UnresolvedFlag != 0) {
    // The label's definition fills the reserved bytes (the marker's cell is the last one).
    if (full) c.EmitCell("00", kMark + "AH");
    c.EmitCell(full ? "DAF" : index == kDirDal ? "DAL" : "OFF", kMark);
    c.ForwardRefs.SetLastPosition(-c.CurrentStep);
    return 0;
  }
  int v = address->value;
  if (address->label && v >= MemoryImage::kBinaryStart) {
    v -= MemoryImage::kBinaryOffset;  // a binary-zone label gives its address
  }
  if (v > 9999) return c.Fail(kDataValueOutOfRange, name + " " + operand);
  if (full) {
    c.EmitCell(TwoDigits(v / 100), kMark + "AH(" + std::to_string(v) + ")");
    c.EmitCell(TwoDigits(v % 100), kMark + "AL");
  } else if (index == kDirDal) {
    c.EmitCell(Hex2(v % 100), kMark + "AL(" + std::to_string(v % 100) + ")");
  } else {
    c.EmitCell(Hex2(((v - c.OffsetBase) % 256 + 256) % 256),
               kMark + "OF(" + std::to_string(v) + ")");
  }
  return 0;
}

}  // namespace

int CompileAddressTable(Compilation& c, int index) {
  const std::string name = c.Keywords.Keyword(index);
  DataPlacement placement(c);
  for (;;) {
    std::string token = c.NextUpperToken();
    if (token.empty()) return c.Fail(kUnexpectedEndOfFileIn, name);
    if (token == "#END") break;
    if (index == kDirDafk) {
      long long key = LeadingNumber(token);
      if (key < 0 || key > 254) return c.Fail(kDataValueOutOfRange, name + " " + token);
      c.EmitCell(Hex2(static_cast<int>(key)), kMark + "KEY");
      token = c.NextUpperToken();
      if (token.empty()) return c.Fail(kUnexpectedEndOfFileIn, name);
    }
    if (EmitAddressItem(c, index, name, token)) return 1;
    if (c.ZoneOverflow) return 0;
  }
  if (index == kDirDafk) c.EmitCell("FF", kMark + "END");
  return 0;
}

}  // namespace calvern
