// Address tables: #DAL (low two digits of each address), #DAF (the address as two BCD bytes),
// #DAFK (key byte and address) and #OFFSET (distance from the #BASE location).
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

// One address item, written at once for a known address or reserved for the label's
// definition to fill.
Status EmitAddressItem(Compilation& c, int index, std::string_view name,
                       const std::string& operand) {
  std::optional<AddressOperand> address = c.AddressValue(operand);
  if (!address) return Status::kFailed;
  if (address->Indirect()) return c.Fail(kUnavailableIndirectAddressing, operand);
  const bool full = index == kDirDaf || index == kDirDafk;
  const PatchKind kind = full               ? PatchKind::kAddressFull
                         : index == kDirDal ? PatchKind::kAddressLow
                                            : PatchKind::kOffset;
  if (!address->Pending() && address->Address() >= kProgramMemory.EndCell()) {
    return c.Fail(kDataValueOutOfRange, std::string(name) + " " + operand);
  }
  const int cell = c.Out.Reserve(
      full ? 2 : 1, kind == PatchKind::kOffset ? CellKind::kOffset : CellKind::kAddressPart);
  if (address->Pending()) return c.AwaitLabel(address->name, {.kind = kind, .cell = cell});
  return c.FillReference({.kind = kind, .cell = cell}, {}, address->Address(), false, false);
}

}  // namespace

Status CompileAddressTable(Compilation& c, const KeywordEntry& directive) {
  const std::string_view name = directive.Keyword();
  const int index = directive.index;
  DataPlacement placement(c.Out);
  for (;;) {
    std::optional<std::string> token = c.NextOperand(kUnexpectedEndOfFileIn, name);
    if (!token) return Status::kFailed;
    if (*token == "#END") break;
    if (index == kDirDafk) {
      std::optional<long long> key = c.ValueOf(*token, name);
      if (!key) return Status::kFailed;
      if (*key < 0 || *key > 254)
        return c.Fail(kDataValueOutOfRange, std::string(name) + " " + *token);
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
