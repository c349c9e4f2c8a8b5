#include "output/mk_file_writer.h"

#include <cstdio>

namespace calvern {
namespace {

// Attribute byte of a program step: 0 for an instruction, 2 for data or an unused step.
constexpr char kInstruction = 0;
constexpr char kDataOrUnused = 2;

std::string ZoneBytes(const MemoryImage& image, int first, int end) {
  std::string bytes;
  bytes.reserve(end - first);
  for (int cell = first; cell < end; ++cell) {
    int value = image.ByteValue(cell);
    bytes.push_back(static_cast<char>(value < 0 ? 0 : value));
  }
  return bytes;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
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
      int value = image.ByteValue(step);
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

std::string MkBase(const std::string& name) {
  std::size_t slash = name.find_last_of("/\\");
  std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name;
  return name.substr(0, dot + 1);
}

MkFilesWritten WriteMkFiles(const MemoryImage& image, bool binaryZoneUsed, bool decimalZoneUsed,
                            const std::string& name) {
  MkFilesWritten written;
  std::string base = MkBase(name);
  std::string program = MkpBytes(image);
  if (!program.empty() && WriteFile(base + "MKP", program)) written.mkp = base + "MKP";
  if (binaryZoneUsed && WriteFile(base + "MKB", MkbBytes(image))) written.mkb = base + "MKB";
  if (decimalZoneUsed && WriteFile(base + "MKD", MkdBytes(image))) written.mkd = base + "MKD";
  return written;
}

}  // namespace calvern
