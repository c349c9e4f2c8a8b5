// Address tables: #DAL (low two digits of each address), #DAF (the address as two BCD bytes),
// #DAFK (key byte and address) and #OFFSET (distance from the #BASE location).
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

// One address item, written at once for a known address or reserved for the label's
// definition to fill.
Status EmitAddressItem(Compilation& c, int index, const std::string& name,
                       const std::string& operand) {
  std::optional<AddressOperand> address = c.AddressValue(operand);
  if (!address) return Status::kFailed;
  if (address->Indirect()) return c.Fail(kUnavailableIndirectAddressing, operand);
  const bool full = index == kDirDaf || index == kDirDafk;
  if (address->Pending()) {
    int cell = full ? c.Out.ReserveData("AH") : c.Out.CurrentStep();
    c.Out.ReserveData("");
    PatchKind kind = full               ? PatchKind::kAddressFull
                     : index == kDirDal ? PatchKind::kAddressLow
                                        : PatchKind::kOffset;
    return c.AwaitLabel(address->name, {.kind = kind, .cell = cell});
  }
  int v = address->Address();
  if (v > 9999) return c.Fail(kDataValueOutOfRange, name + " " + operand);
  if (full) {
    c.Out.EmitData(Bcd(v / 100), "AH(" + std::to_string(v) + ")");
    c.Out.EmitData(Bcd(v % 100), "AL");
  } else if (index == kDirDal) {
    c.Out.EmitData(v % 100, "AL(" + std::to_string(v % 100) + ")");
  } else {
    c.Out.EmitData(((v - c.Out.OffsetBase()) % 256 + 256) % 256, "OF(" + std::to_string(v) + ")");
  }
  return Status::kDone;
}

}  // namespace

Status CompileAddressTable(Compilation& c, const KeywordEntry& directive) {
  const std::string& name = directive.keyword;
  const int index = directive.index;
  DataPlacement placement(c.Out);
  for (;;) {
    std::optional<std::string> token = c.NextOperand(kUnexpectedEndOfFileIn, name);
    if (!token) return Status::kFailed;
    if (*token == "#END") break;
    if (index == kDirDafk) {
      std::optional<long long> key = c.ValueOf(*token, name);
      if (!key) return Status::kFailed;
      if (*key < 0 || *key > 254) return c.Fail(kDataValueOutOfRange, name + " " + *token);
      c.Out.EmitData(static_cast<int>(*key), "KEY");
      token = c.NextOperand(kUnexpectedEndOfFileIn, name);
      if (!token) return Status::kFailed;
    }
    if (Failed(EmitAddressItem(c, index, name, *token))) return Status::kFailed;
    if (c.Stopped()) return Status::kFailed;  // the zone is full
  }
  if (index == kDirDafk) c.Out.EmitData(0xFF, "END");
  return Status::kDone;
}

}  // namespace calvern
