// Byte, word and long tables (#DB, #DW, #DL, #DWK) and repeated values (#INITB/W/L), written in
// the current zone, big-endian.
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

// Writes value in `size` bytes, highest first; the first byte names the item's kind.
void EmitValue(Compilation& c, long long value, int size) {
  static const char* kFirstKeys[] = {"", "byte", "WORD", "", "LONG"};
  for (int k = size - 1; k >= 0; --k) {
    c.Out.EmitData(static_cast<int>((value >> (8 * k)) & 0xFF),
                   k == size - 1 ? kFirstKeys[size] : " ",
                   size == 1 ? CellKind::kData : CellKind::kWordPart);
  }
}

// A number that must not exceed `maximum`; nullopt after reporting it.
std::optional<long long> ReadItem(Compilation& c, const std::string& token, std::string_view name,
                                  long long maximum) {
  std::optional<long long> value = c.ValueOf(token, name);
  if (value && (*value < 0 || *value > maximum)) {
    (void)c.Fail(kDataValueOutOfRange, std::string(name) + " " + token);
    return std::nullopt;
  }
  return value;
}

long long MaximumOf(int size) { return size == 1 ? 0xFF : size == 2 ? 0xFFFF : 0xFFFFFFFFLL; }

// #DB, #DW, #DL and #DWK: items until #END; #DWK pairs a key byte with a word and closes the
// table with FF.
Status CompileTable(Compilation& c, const KeywordEntry& directive) {
  const std::string_view name = directive.Keyword();
  const bool keyed = directive.index == kDirDwk;
  const int size = directive.index == kDirDb ? 1 : directive.index == kDirDl ? 4 : 2;
  DataPlacement placement(c.Out);
  for (;;) {
    std::optional<std::string> token = c.NextOperand(kUnexpectedEndOfFileIn, name);
    if (!token) return Status::kFailed;
    if (*token == "#END") break;
    if (keyed) {
      std::optional<long long> key = ReadItem(c, *token, name, 254);  // FF ends the table
      if (!key) return Status::kFailed;
      c.Out.EmitData(static_cast<int>(*key), "KEY");
      token = c.NextOperand(kUnexpectedEndOfFileIn, name);
      if (!token) return Status::kFailed;
    }
    std::optional<long long> value = ReadItem(c, *token, name, MaximumOf(size));
    if (!value) return Status::kFailed;
    EmitValue(c, *value, size);
    if (c.Stopped()) return Status::kFailed;  // the zone is full
  }
  if (keyed) c.Out.EmitData(0xFF, "END");
  return Status::kDone;
}

// #INITB n v, #INITW n v, #INITL n v: n copies of v.
Status CompileInit(Compilation& c, const KeywordEntry& directive) {
  const std::string name = "#INITB/W/L";
  const int size = directive.index == kDirInitb ? 1 : directive.index == kDirInitw ? 2 : 4;
  std::optional<std::string> countToken = c.NextOperand(kUnexpectedEndOfFileIn, name);
  if (!countToken) return Status::kFailed;
  std::optional<std::string> valueToken = c.NextOperand(kUnexpectedEndOfFileIn, name);
  if (!valueToken) return Status::kFailed;
  std::optional<long long> count = c.ValueOf(*countToken, name);
  if (!count) return Status::kFailed;
  if (*count < 1) return c.Fail(kAtLeastOneIterationIn, name);
  std::optional<long long> value = ReadItem(c, *valueToken, directive.Keyword(), MaximumOf(size));
  if (!value) return Status::kFailed;
  DataPlacement placement(c.Out);
  // A count past the zone's end stops at the first cell that does not fit.
  for (long long k = 0; k < *count && !c.Stopped(); ++k) EmitValue(c, *value, size);
  return Status::kDone;
}

}  // namespace

Status CompileTableDirective(Compilation& c, const KeywordEntry& directive) {
  const int index = directive.index;
  if (index == kDirInitb || index == kDirInitw || index == kDirInitl) {
    return CompileInit(c, directive);
  }
  return CompileTable(c, directive);
}

}  // namespace calvern
