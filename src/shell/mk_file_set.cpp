#include "shell/mk_file_set.h"

#include <algorithm>
#include <cctype>

#include "platform/files.h"
#include "platform/paths.h"
#include "tables/memory_map.h"
#include "tables/message_table.h"

namespace calvern {
namespace {

constexpr int kStepsPerBlock = kProgramMemory.blockSize;
constexpr int kProgramSteps = kProgramMemory.cells;
constexpr int kBinaryFirstCell = kBinaryMemory.firstCell;
constexpr int kBinaryBytes = kBinaryMemory.cells;
constexpr int kDecimalFirstCell = kDecimalMemory.firstCell;
constexpr int kDecimalBytes = kDecimalMemory.cells;
// Attribute bytes of a program step: 0 an instruction, 2 data or an unused step.
constexpr int kInstruction = 0;
constexpr int kDataOrUnused = 2;
constexpr int kUnusedStepByte = 0xFF;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The extension of a path's file part, as written; empty when it has none.
std::string ExtensionOf(const std::string& path) {
  std::string file = platform::FilePart(path);
  std::size_t dot = file.rfind('.');
  return dot == std::string::npos ? std::string() : file.substr(dot + 1);
}

bool AddProgramSteps(const std::string& bytes, ProgramImage& image) {
  if (bytes.size() < 1 + 2 * kStepsPerBlock || (bytes.size() - 1) % (2 * kStepsPerBlock) != 0) {
    return false;
  }
  int firstBlock = static_cast<unsigned char>(bytes[0]);
  int blocks = static_cast<int>((bytes.size() - 1) / (2 * kStepsPerBlock));
  if (firstBlock + blocks > kProgramSteps / kStepsPerBlock) return false;
  for (int i = 0; i < blocks * kStepsPerBlock; ++i) {
    int value = static_cast<unsigned char>(bytes[1 + 2 * i]);
    int attribute = static_cast<unsigned char>(bytes[2 + 2 * i]);
    if (attribute != kInstruction && attribute != kDataOrUnused) return false;
    bool unused = attribute == kDataOrUnused && value == kUnusedStepByte;
    image.cells[firstBlock * kStepsPerBlock + i] = unused ? ProgramImage::kUnused : value;
  }
  return true;
}

bool AddZone(const std::string& bytes, int firstCell, int size, ProgramImage& image) {
  if (static_cast<int>(bytes.size()) != size) return false;
  for (int i = 0; i < size; ++i) image.cells[firstCell + i] = static_cast<unsigned char>(bytes[i]);
  return true;
}

}  // namespace

bool IsMkFileName(const std::string& path) {
  std::string extension = Upper(ExtensionOf(path));
  return extension == "MKP" || extension == "MKB" || extension == "MKD";
}

bool AddMkFile(const std::string& extension, const std::string& bytes, ProgramImage& image) {
  if (extension == "MKP") return AddProgramSteps(bytes, image);
  if (extension == "MKB") {
    image.binaryZoneUsed = AddZone(bytes, kBinaryFirstCell, kBinaryBytes, image);
    return image.binaryZoneUsed;
  }
  if (extension == "MKD") {
    image.decimalZoneUsed = AddZone(bytes, kDecimalFirstCell, kDecimalBytes, image);
    return image.decimalZoneUsed;
  }
  return false;
}

MkFileSetReading ReadMkFileSet(const std::string& path) {
  // The other files of the set are looked for in the letter case of the one named.
  std::string given = ExtensionOf(path);
  bool lower = given == Lower(given);
  std::string base = path.substr(0, path.size() - given.size());
  ProgramImage image;
  for (std::string extension : {"MKP", "MKB", "MKD"}) {
    std::string file = path;
    if (extension != Upper(given)) {
      file = base + (lower ? Lower(extension) : extension);
      if (!platform::PathExists(file)) continue;
    }
    // The largest file, a full program zone, is 20 001 bytes.
    std::optional<std::string> bytes = platform::ReadWholeFile(file, 1u << 16);
    if (!bytes) return {std::nullopt, kCantReadMkFile, file};
    if (!AddMkFile(extension, *bytes, image)) return {std::nullopt, kNotAnMkFile, file};
  }
  return {std::move(image), 0, ""};
}

}  // namespace calvern
