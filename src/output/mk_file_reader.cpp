#include "output/mk_file_reader.h"

#include "output/mk_file_format.h"

namespace calvern {
namespace {

bool AddProgramFile(const std::string& bytes, MkImage& out) {
  const MemoryZone& zone = kProgramMemory;
  const int blockBytes = kMkpBytesPerStep * zone.blockSize;
  if (bytes.size() < 1 + static_cast<std::size_t>(blockBytes) ||
      (bytes.size() - 1) % blockBytes != 0) {
    return false;
  }
  const int firstBlock = static_cast<unsigned char>(bytes[0]);
  const int blocks = static_cast<int>((bytes.size() - 1) / blockBytes);
  if (firstBlock + blocks > zone.Blocks()) return false;
  for (int i = 0; i < blocks * zone.blockSize; ++i) {
    const char attribute = bytes[2 + kMkpBytesPerStep * i];
    if (attribute != kMkpInstruction && attribute != kMkpDataOrUnused) return false;
  }
  for (int i = 0; i < blocks * zone.blockSize; ++i) {
    const int value = static_cast<unsigned char>(bytes[1 + kMkpBytesPerStep * i]);
    const bool code = bytes[2 + kMkpBytesPerStep * i] == kMkpInstruction;
    const int cell = zone.firstCell + firstBlock * zone.blockSize + i;
    if (code) {
      out.image.Set(cell, CellKind::kInstruction, value, "");
    } else if (value != zone.mkFiller) {
      out.image.Set(cell, CellKind::kData, value, "");
    }
  }
  out.programFile = true;
  out.firstBlock = firstBlock;
  out.endBlock = firstBlock + blocks;
  return true;
}

bool AddZoneFile(const std::string& bytes, const MemoryZone& zone, MkImage& out) {
  if (static_cast<int>(bytes.size()) != zone.cells) return false;
  for (int i = 0; i < zone.cells; ++i) {
    out.image.Set(zone.firstCell + i, CellKind::kData, static_cast<unsigned char>(bytes[i]), "");
  }
  return true;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool MkImage::Empty() const {
  if (binaryZoneUsed || decimalZoneUsed) return false;
  for (int cell = kProgramMemory.firstCell; cell < kProgramMemory.EndCell(); ++cell) {
    if (image.Used(cell)) return false;
  }
  return true;
}

bool IsMkExtension(std::string_view extension) {
  for (const MemoryZone& zone : kMemoryZones) {
    const std::string_view name = zone.mkExtension;
    if (extension.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size(); ++i) same = same && Upper(extension[i]) == name[i];
    if (same) return true;
  }
  return false;
}

bool AddMkFile(std::string_view extension, const std::string& bytes, MkImage& out) {
  if (extension == kProgramMemory.mkExtension) return AddProgramFile(bytes, out);
  if (extension == kBinaryMemory.mkExtension) {
    if (!AddZoneFile(bytes, kBinaryMemory, out)) return false;
    out.binaryZoneUsed = true;
    return true;
  }
  if (extension == kDecimalMemory.mkExtension) {
    if (!AddZoneFile(bytes, kDecimalMemory, out)) return false;
    out.decimalZoneUsed = true;
    return true;
  }
  return false;
}

}  // namespace calvern
