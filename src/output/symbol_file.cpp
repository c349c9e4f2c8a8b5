#include "output/symbol_file.h"

#include <nlohmann/json.hpp>

namespace calvern {
namespace {

using nlohmann::json;

// Labels of structures ("lab1") and of generated code ("__find") are no names of the user's.
bool HiddenLabel(const std::string& name) { return name[0] == 'l' || name.starts_with("__"); }

json Labels(const CompiledProgram& program) {
  json labels = json::array();
  for (int i = 0; i < program.labels.Count(); ++i) {
    const Label& label = program.labels[i];
    if (HiddenLabel(label.name)) continue;
    if (label.value < MemoryImage::kBinaryStart) {
      labels.push_back({{"name", label.name}, {"zone", "program"}, {"step", label.value}});
    } else {
      labels.push_back({{"name", label.name},
                        {"zone", "binary"},
                        {"address", label.value - MemoryImage::kBinaryOffset}});
    }
  }
  return labels;
}

// The names "#reg" gave: those that differ from the calculator's own I/O register names.
json Registers(const CompiledProgram& program) {
  RegisterNameTable builtIn;
  builtIn.LoadIoRegisters();
  json registers = json::array();
  for (int r = 0; r < RegisterNameTable::kSize; ++r) {
    const std::string& name = program.registerNames.Name(r);
    if (name.empty() || name == builtIn.Name(r)) continue;
    registers.push_back({{"name", name}, {"register", r}});
  }
  return registers;
}

// The first and last used unit of a zone (steps, addresses or registers), numbered from
// `firstNumber`, and the unit after the last one used.
json Zone(const MemoryImage& image, int firstCell, int units, int cellsPerUnit, int firstNumber,
          int firstFree) {
  int first = -1;
  int last = -1;
  for (int unit = 0; unit < units; ++unit) {
    if (!image.Used(firstCell + unit * cellsPerUnit)) continue;
    if (first < 0) first = unit;
    last = unit;
  }
  json zone;
  zone["used"] = first < 0 ? json(nullptr)
                           : json{{"first", first + firstNumber}, {"last", last + firstNumber}};
  zone["firstFree"] = firstFree >= 0 ? firstFree : (last < 0 ? 0 : last + 1) + firstNumber;
  return zone;
}

}  // namespace

std::string SymbolFileText(const CompiledProgram& program) {
  const MemoryImage& image = program.image;
  json symbols;
  symbols["labels"] = Labels(program);
  symbols["registers"] = Registers(program);
  symbols["zones"] = {
      {"program", Zone(image, kProgramMemory.firstCell, kProgramMemory.cells, 1,
                       kProgramMemory.firstNumber, program.firstFreeStep)},
      {"binary",
       Zone(image, kBinaryMemory.firstCell, kBinaryMemory.cells, 1, kBinaryMemory.firstNumber, -1)},
      {"decimal",
       Zone(image, kDecimalMemory.firstCell, kDecimalRegisters, kDecimalRegisterBytes, 0, -1)},
  };
  return symbols.dump(2) + "\n";
}

}  // namespace calvern
