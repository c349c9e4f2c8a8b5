#include "output/mk_file_writer.h"

namespace calvern {
namespace {

// Attribute byte of a program step: 0 for an instruction, 2 for data or an unused step.
constexpr char kInstruction = 0;
constexpr char kDataOrUnused = 2;

std::string ZoneBytes(const MemoryImage& image, int first, int end) {
  std::string bytes;
  bytes.reserve(end - first);
  for (int cell = first; cell < end; ++cell) {
    int value = image.Value(cell);
    bytes.push_back(static_cast<char>(value < 0 ? 0 : value));
  }
  return bytes;
}

}  // namespace

std::string MkpBytes(const MemoryImage& image) {
  int lowest = 0;
  while (lowest < MemoryImage::kProgramCells && !image.Used(lowest)) ++lowest;
  if (lowest == MemoryImage::kProgramCells) return std::string();
  int highest = MemoryImage::kProgramCells - 1;
  while (!image.Used(highest)) --highest;
  // Whole blocks of 100 steps, from the block of the lowest used step to that of the highest.
  int firstBlock = lowest / 100;
  int end = highest - highest % 100 + 100;
  std::string bytes(1, static_cast<char>(firstBlock));
  for (int step = firstBlock * 100; step < end; ++step) {
    if (!image.Used(step)) {
      bytes.push_back(static_cast<char>(0xFF));
      bytes.push_back(kDataOrUnused);
    } else {
      int value = image.Value(step);
      bytes.push_back(static_cast<char>(value < 0 ? 0 : value));
      bytes.push_back(image.IsData(step) ? kDataOrUnused : kInstruction);
    }
  }
  return bytes;
}

std::string MkbBytes(const MemoryImage& image) {
  return ZoneBytes(image, MemoryImage::kBinaryStart, MemoryImage::kDecimalStart);
}

std::string MkdBytes(const MemoryImage& image) {
  return ZoneBytes(image, MemoryImage::kDecimalStart, MemoryImage::kCellCount);
}

MkFileContents MkFilesOf(const CompiledProgram& program) {
  MkFileContents contents;
  std::string steps = MkpBytes(program.image);
  if (!steps.empty()) contents.files.push_back({"MKP", std::move(steps)});
  if (program.binaryZoneUsed) contents.files.push_back({"MKB", MkbBytes(program.image)});
  if (program.decimalZoneUsed) contents.files.push_back({"MKD", MkdBytes(program.image)});
  return contents;
}

}  // namespace calvern
