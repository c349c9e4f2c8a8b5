#include "output/listing_writer.h"

#include <algorithm>
#include <cstring>

#include "compiler/byte_text.h"
#include "output/text_lines.h"

namespace calvern {
namespace {

constexpr const char* kRule = "-------------------------";
// The cells' lines are put together in batches of this size before they join the listing.
constexpr std::size_t kCellBatchSize = 4096;

// The used cells of one zone, numbered as the calculator numbers them; a run of unused cells
// shows as one empty line (also before the first used cell when the zone's first is unused).
// A zone has thousands of cells, so the lines ("  0042  |  5A  | keys") are written into a
// batch of text and added to the listing a batch at a time, rather than pieced together from
// strings line by line.
void AddCells(CrlfText& out, const MemoryImage& image, const MemoryZone& zone) {
  static constexpr char kHead[] = "  0000  |  ??  | ";
  constexpr std::size_t kHeadLength = sizeof kHead - 1;
  char head[kHeadLength];
  std::memcpy(head, kHead, kHeadLength);
  char* const digits = head + 2;  // the cell's number, four digits
  char batch[kCellBatchSize];
  std::size_t used = 0;

  const std::span<const CellKind> kinds = image.StoredKinds();
  const std::span<const std::uint8_t> values = image.StoredBytes();
  int lastPrinted = zone.firstCell - 1;
  const int end = std::min(zone.EndCell(), image.UnusedFrom());
  for (int cell = zone.firstCell; cell < end; ++cell) {
    if (kinds[cell] == CellKind::kUnused) continue;
    const std::string_view keys = image.Keys(cell);
    const std::size_t lineLength = 2 + kHeadLength + keys.size() + 2;  // a blank line first
    if (used + lineLength > sizeof batch) {
      out.AddLines(std::string_view(batch, used));
      used = 0;
    }
    const bool follows = cell == lastPrinted + 1;
    if (follows && cell != zone.firstCell) {
      // The number after the last one: counted up in place, with its carry.
      for (int d = 3; d >= 0 && ++digits[d] > '9'; --d) digits[d] = '0';
    } else {
      if (!follows) {
        batch[used++] = '\r';
        batch[used++] = '\n';
      }
      const int number = cell - zone.firstCell + zone.firstNumber;  // at most 5095
      digits[0] = static_cast<char>('0' + number / 1000);
      digits[1] = static_cast<char>('0' + number / 100 % 10);
      digits[2] = static_cast<char>('0' + number / 10 % 10);
      digits[3] = static_cast<char>('0' + number % 10);
    }
    lastPrinted = cell;
    const bool undefined = kinds[cell] == CellKind::kUndefined;  // "??"
    head[11] = undefined ? '?' : kHexDigits[values[cell] >> 4];
    head[12] = undefined ? '?' : kHexDigits[values[cell] & 15];
    if (lineLength > sizeof batch) {  // a comment longer than a batch: added on its own
      out.AddLines(std::string_view(batch, used));
      used = 0;
      out.Add({std::string_view(head, kHeadLength), keys});
      continue;
    }
    std::memcpy(batch + used, head, kHeadLength);
    used += kHeadLength;
    for (const char c : keys) batch[used++] = c;  // mostly a few characters: no call
    batch[used++] = '\r';
    batch[used++] = '\n';
  }
  out.AddLines(std::string_view(batch, used));
}

void AddLabels(CrlfText& out, const CompiledProgram& in) {
  out.Add("  Addr  |  Name");
  out.Add(kRule);
  for (int i = 0; i < in.labels.Count(); ++i) {
    const Label label = in.labels[i];
    if (in.listAllLabels == 0 && IsHiddenLabel(label.name)) continue;
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
  for (int r = names.NextReferenced(0); r <= 9999; r = names.NextReferenced(r + 1)) {
    // Registers 0-14 by their digit, 15-99 by two digits, the others by four.
    char number[6] = {' ', ' ', ' ', ' ', ' ', ' '};
    if (r < 15) {
      number[5] = "0123456789abcdef"[r];
    } else if (r < 100) {
      number[4] = static_cast<char>('0' + r / 10);
      number[5] = static_cast<char>('0' + r % 10);
    } else {
      number[2] = static_cast<char>('0' + r / 1000);
      number[3] = static_cast<char>('0' + r / 100 % 10);
      number[4] = static_cast<char>('0' + r / 10 % 10);
      number[5] = static_cast<char>('0' + r % 10);
    }
    out.Add({std::string_view(number, sizeof number), "  |  ", names.Name(r)});
  }
  out.Add(kRule);
  out.Add("");
}

void AddListing(CrlfText& out, const CompiledProgram& in) {
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
}

// Room for about 28 characters per stored cell, so that the text is rarely copied as it grows.
std::size_t ExpectedSize(const CompiledProgram& in) {
  return 28 * static_cast<std::size_t>(in.image.UnusedFrom()) + 4096;
}

}  // namespace

std::string ListingText(const CompiledProgram& in) {
  CrlfText out;
  out.Reserve(ExpectedSize(in));
  AddListing(out, in);
  return out.Take();
}

bool WriteListing(const CompiledProgram& in, const std::function<bool(std::string_view)>& write) {
  // Parts of 16 KB: a listing of any length touches no more memory than that (and a batch of
  // cells past it). Every fresh page costs more than a write of 16 KB does.
  constexpr std::size_t kPartSize = 16 * 1024;
  CrlfText out(write, kPartSize);
  out.Reserve(std::min(ExpectedSize(in), kPartSize + kCellBatchSize));
  AddListing(out, in);
  return out.Finish();
}

}  // namespace calvern
