#include "output/mk_file_writer.h"

#include <algorithm>

#include "output/mk_file_format.h"

namespace calvern {
namespace {

// A whole zone, one byte per cell; an unused cell holds the zone's filler.
std::string ZoneBytes(const MemoryImage& image, const MemoryZone& zone) {
  std::string bytes;
  bytes.reserve(zone.cells);
  for (int cell = zone.firstCell; cell < zone.EndCell(); ++cell) {
    const int value = image.Value(cell);
    bytes.push_back(static_cast<char>(image.Used(cell) ? (value < 0 ? 0 : value) : zone.mkFiller));
  }
  return bytes;
}

}  // namespace

std::string MkpBytes(const MemoryImage& image) {
  const MemoryZone& zone = kProgramMemory;
  int lowest = zone.firstCell;
  while (lowest < zone.EndCell() && !image.Used(lowest)) ++lowest;
  if (lowest == zone.EndCell()) return std::string();
  int highest = std::min(zone.EndCell(), image.UnusedFrom()) - 1;
  while (!image.Used(highest)) --highest;
  // Whole blocks of 100 steps, from the block of the lowest used step to that of the highest.
  const int firstBlock = lowest / zone.blockSize;
  const int end = (highest / zone.blockSize + 1) * zone.blockSize;
  // The block number, then two bytes a step: its value and whether it is an instruction.
  std::string bytes(1 + 2 * (end - firstBlock * zone.blockSize), '\0');
  bytes[0] = static_cast<char>(firstBlock);
  std::size_t at = 1;
  const std::span<const CellKind> kinds = image.StoredKinds();
  const std::span<const std::uint8_t> values = image.StoredBytes();
  for (int step = firstBlock * zone.blockSize; step < end; ++step) {
    const CellKind kind = step < image.UnusedFrom() ? kinds[step] : CellKind::kUnused;
    int value = zone.mkFiller;  // unused
    if (kind == CellKind::kUndefined) {
      value = 0;
    } else if (kind != CellKind::kUnused) {
      value = values[step];
    }
    bytes[at++] = static_cast<char>(value);
    bytes[at++] = static_cast<char>(IsCode(kind) ? kMkpInstruction : kMkpDataOrUnused);
  }
  return bytes;
}

std::string MkbBytes(const MemoryImage& image) { return ZoneBytes(image, kBinaryMemory); }

std::string MkdBytes(const MemoryImage& image) { return ZoneBytes(image, kDecimalMemory); }

MkFileContents MkFilesOf(const CompiledProgram& program) {
  MkFileContents contents;
  std::string steps = MkpBytes(program.image);
  if (!steps.empty()) contents.files.push_back({kProgramMemory.mkExtension, std::move(steps)});
  if (program.binaryZoneUsed) {
    contents.files.push_back({kBinaryMemory.mkExtension, MkbBytes(program.image)});
  }
  if (program.decimalZoneUsed) {
    contents.files.push_back({kDecimalMemory.mkExtension, MkdBytes(program.image)});
  }
  return contents;
}

}  // namespace calvern
