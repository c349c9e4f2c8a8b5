#include "output/listing_writer.h"

#include <cstdio>

#include "output/text_lines.h"

namespace calvern {
namespace {

constexpr const char* kRule = "-------------------------";

std::string Pad4(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", n);
  return text;
}

// The used cells of one zone, numbered as the calculator numbers them; a run of unused cells
// shows as one empty line (also before the first used cell when the zone's first is unused).
void AddCells(CrlfText& out, const MemoryImage& image, const MemoryZone& zone) {
  int lastPrinted = zone.firstCell - 1;
  for (int cell = zone.firstCell; cell < zone.EndCell(); ++cell) {
    if (!image.Used(cell)) continue;
    if (cell > lastPrinted + 1) out.Add("");
    out.Add("  " + Pad4(cell - zone.firstCell + zone.firstNumber) + "  |  " + image.CodeText(cell) +
            "  | " + image.Keys(cell));
    lastPrinted = cell;
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
      out.Add("  " + Pad4(label.value) + "  |  " + label.name);
    } else {
      out.Add("B " + Pad4(label.value - MemoryImage::kBinaryOffset) + "  |  " + label.name);
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
      number = "  " + Pad4(r);
    }
    out.Add(number + "  |  " + names.Name(r));
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
      if (in.image.Used(cell)) out.Add("  " + Pad4(r) + "  |  " + in.image.Keys(cell));
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
