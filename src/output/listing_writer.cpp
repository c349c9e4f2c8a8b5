#include "output/listing_writer.h"

#include <algorithm>
#include <cstring>

#include "compiler/byte_text.h"
#include "output/text_lines.h"

namespace calvern {
namespace {

constexpr const char* kRule = "-------------------------";

// The used cells of one zone, numbered as the calculator numbers them; a run of unused cells
// shows as one empty line (also before the first used cell when the zone's first is unused).
// A zone has thousands of cells, so each line ("  0042  |  5A  | keys") is put together in one
// buffer and added in one piece, rather than pieced together from strings.
void AddCells(CrlfText& out, const MemoryImage& image, const MemoryZone& zone) {
  static constexpr char kHead[] = "  0000  |  ??  | ";
  constexpr std::size_t kHeadLength = sizeof kHead - 1;
  char line[kHeadLength + 64];
  std::memcpy(line, kHead, kHeadLength);
  int lastPrinted = zone.firstCell - 1;
  const int end = std::min(zone.EndCell(), image.UnusedFrom());
  for (int cell = zone.firstCell; cell < end; ++cell) {
    if (!image.Used(cell)) continue;
    if (cell > lastPrinted + 1) out.Add("");
    lastPrinted = cell;
    const int number = cell - zone.firstCell + zone.firstNumber;  // at most 5095
    line[2] = static_cast<char>('0' + number / 1000);
    line[3] = static_cast<char>('0' + number / 100 % 10);
    line[4] = static_cast<char>('0' + number / 10 % 10);
    line[5] = static_cast<char>('0' + number % 10);
    const int value = image.Value(cell);  // a byte, or undefined ("??")
    line[11] = value == MemoryImage::kUndefined ? '?' : kHexDigits[value >> 4];
    line[12] = value == MemoryImage::kUndefined ? '?' : kHexDigits[value & 15];
    const std::string_view keys = image.Keys(cell);
    if (keys.size() > sizeof line - kHeadLength) {  // a long comment: added in two pieces
      out.Add({std::string_view(line, kHeadLength), keys});
      continue;
    }
    std::memcpy(line + kHeadLength, keys.data(), keys.size());
    out.Add(std::string_view(line, kHeadLength + keys.size()));
  }
}

bool HiddenLabel(const std::string& name) { return name[0] == 'l' || name.starts_with("__"); }

void AddLabels(CrlfText& out, const CompiledProgram& in) {
  out.Add("  Addr  |  Name");
  out.Add(kRule);
  for (int i = 0; i < in.labels.Count(); ++i) {
    const Label& label = in.labels[i];
    if (in.listAllLabels == 0 && HiddenLabel(label.name)) continue;
    if (label.value < MemoryImage::kBinaryStart) {
      out.Add({"  ", FourDigits(label.value), "  |  ", label.name});
    } else {
      out.Add({"B ", FourDigits(label.value - MemoryImage::kBinaryOffset), "  |  ", label.name});
    }
  }
  out.Add(kRule);
  out.Add("");
}

void AddRegisters(CrlfText& out, const RegisterNameTable& names) {
  out.Add("   Reg  |  Name");
  out.Add(kRule);
  for (int r = 0; r <= 9999; ++r) {
    if (!names.Referenced(r)) continue;
    std::string number;
    if (r < 15) {
      number = std::string(5, ' ') + "0123456789abcdef"[r];
    } else if (r < 100) {
      number = "    " + std::to_string(r);
    } else {
      number = "  " + FourDigits(r);
    }
    out.Add({number, "  |  ", names.Name(r)});
  }
  out.Add(kRule);
  out.Add("");
}

}  // namespace

std::string ListingText(const CompiledProgram& in) {
  CrlfText out;
  out.Add("     PROGAM ZONE");
  out.Add("  Step  | Code | Keys");
  out.Add(kRule);
  AddCells(out, in.image, kProgramMemory);
  if (in.binaryZoneUsed) {
    out.Add("");
    out.Add("     BINARY ZONE");
    out.Add("  Step  | Code | Comment");
    out.Add(kRule);
    AddCells(out, in.image, kBinaryMemory);
  }
  if (in.decimalZoneUsed) {
    out.Add("");
    out.Add("     DECIMAL ZONE");
    out.Add("   Reg  |  Value");
    out.Add(kRule);
    for (int r = 0; r < kDecimalRegisters; ++r) {
      const int cell = kDecimalMemory.firstCell + kDecimalRegisterBytes * r;
      if (in.image.Used(cell)) out.Add({"  ", FourDigits(r), "  |  ", in.image.Keys(cell)});
    }
  }
  out.Add(kRule);
  out.Add("");
  if (in.userLabelCount > 0) AddLabels(out, in);
  if (in.namedRegisterUsed) AddRegisters(out, in.registerNames);
  out.Add("--     END OF FILE     --");
  return out.Take();
}

}  // namespace calvern
