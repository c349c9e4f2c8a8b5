// Byte, word and long tables (#DB, #DW, #DL, #DWK) and repeated values (#INITB/W/L), written in
// the current zone, big-endian.
#include "compiler/byte_text.h"
#include "compiler/compilation.h"
#include "compiler/data_directives.h"
#include "compiler/data_placement.h"
#include "compiler/numbers.h"

namespace calvern {
namespace {

const std::string kMark = kDataMark;

// Writes value in `size` bytes, highest first; the first byte names the item's kind.
void EmitValue(Compilation& c, long long value, int size) {
  static const char* kFirstKeys[] = {"", "byte", "WORD", "", "LONG"};
  for (int k = size - 1; k >= 0; --k) {
    c.EmitCell(Hex2(static_cast<int>((value >> (8 * k)) & 0xFF)),
               kMark + (k == size - 1 ? kFirstKeys[size] : " "));
  }
}

// A number that must fit `size` bytes (and not exceed `maximum`); false after reporting it.
bool ReadItem(Compilation& c, const std::string& token, const std::string& name, long long maximum,
              long long& value) {
  value = LeadingNumber(token);
  if (value < 0 || value > maximum) {
    c.Fail(kDataValueOutOfRange, name + " " + token);
    return false;
  }
  return true;
}

long long MaximumOf(int size) { return size == 1 ? 0xFF : size == 2 ? 0xFFFF : 0xFFFFFFFFLL; }

// #DB, #DW, #DL and #DWK: items until #END; #DWK pairs a key byte with a word and closes the
// table with FF.
int CompileTable(Compilation& c, int index) {
  const std::string name = c.Keywords.Keyword(index);
  const bool keyed = index == kDirDwk;
  const int size = index == kDirDb ? 1 : index == kDirDl ? 4 : 2;
  DataPlacement placement(c);
  for (;;) {
    std::string token = c.NextUpperToken();
    if (token.empty()) return c.Fail(kUnexpectedEndOfFileIn, name);
    if (token == "#END") break;
    long long value;
    if (keyed) {
      if (!ReadItem(c, token, name, 254, value)) return 1;  // FF ends the table
      c.EmitCell(Hex2(static_cast<int>(value)), kMark + "KEY");
      token = c.NextUpperToken();
      if (token.empty()) return c.Fail(kUnexpectedEndOfFileIn, name);
    }
    if (!ReadItem(c, token, name, MaximumOf(size), value)) return 1;
    EmitValue(c, value, size);
    if (c.ZoneOverflow) return 0;
  }
  if (keyed) c.EmitCell("FF", kMark + "END");
  return 0;
}

// #INITB n v, #INITW n v, #INITL n v: n copies of v.
int CompileInit(Compilation& c, int index) {
  const std::string name = "#INITB/W/L";
  const int size = index == kDirInitb ? 1 : index == kDirInitw ? 2 : 4;
  std::string countToken = c.NextUpperToken();
  if (countToken.empty()) return c.Fail(kUnexpectedEndOfFileIn, name);
  std::string valueToken = c.NextUpperToken();
  if (valueToken.empty()) return c.Fail(kUnexpectedEndOfFileIn, name);
  long long count = LeadingNumber(countToken);
  if (count < 1) return c.Fail(kAtLeastOneIterationIn, name);
  long long value;
  if (!ReadItem(c, valueToken, c.Keywords.Keyword(index), MaximumOf(size), value)) return 1;
  DataPlacement placement(c);
  // A count past the zone's end stops at the first cell that does not fit.
  for (long long k = 0; k < count && !c.ZoneOverflow; ++k) EmitValue(c, value, size);
  return 0;
}

}  // namespace

int CompileTableDirective(Compilation& c, int index) {
  if (index == kDirInitb || index == kDirInitw || index == kDirInitl) return CompileInit(c, index);
  return CompileTable(c, index);
}

}  // namespace calvern
