#include "output/symbol_file.h"

#include <nlohmann/json.hpp>

namespace calvern {
namespace {

using nlohmann::json;

json Labels(const CompiledProgram& program) {
  json labels = json::array();
  for (int i = 0; i < program.labels.Count(); ++i) {
    const Label label = program.labels[i];
    if (IsHiddenLabel(label.name)) continue;
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
    const std::string_view name = program.registerNames.Name(r);
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

// The integer member `key` of an object when it lies in [low, high], else nullopt.
std::optional<int> Member(const json& entry, const char* key, int low, int high) {
  if (!entry.contains(key) || !entry[key].is_number_integer()) return std::nullopt;
  const long long value = entry[key].get<long long>();
  if (value < low || value > high) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<std::string> Name(const json& entry) {
  if (!entry.contains("name") || !entry["name"].is_string()) return std::nullopt;
  std::string name = entry["name"].get<std::string>();
  if (name.empty()) return std::nullopt;
  return name;
}

}  // namespace

std::optional<SymbolNames> ReadSymbolFile(const std::string& text) {
  const json symbols = json::parse(text, nullptr, false);
  if (symbols.is_discarded() || !symbols.is_object()) return std::nullopt;
  SymbolNames names;
  const int lastStep = kProgramMemory.EndCell() - 1;
  const int lastAddress = kBinaryMemory.firstNumber + kBinaryMemory.cells - 1;
  if (symbols.contains("labels") && symbols["labels"].is_array()) {
    for (const json& label : symbols["labels"]) {
      if (!label.is_object()) continue;
      const std::optional<std::string> name = Name(label);
      const std::string zone = label.contains("zone") && label["zone"].is_string()
                                   ? label["zone"].get<std::string>()
                                   : std::string();
      if (!name) continue;
      if (zone == "program") {
        if (std::optional<int> step = Member(label, "step", 0, lastStep)) {
          names.programLabels.emplace_back(*step, *name);
        }
      } else if (zone == "binary") {
        if (std::optional<int> address =
                Member(label, "address", kBinaryMemory.firstNumber, lastAddress)) {
          names.binaryLabels.emplace_back(*address, *name);
        }
      }
    }
  }
  if (symbols.contains("registers") && symbols["registers"].is_array()) {
    for (const json& reg : symbols["registers"]) {
      if (!reg.is_object()) continue;
      const std::optional<std::string> name = Name(reg);
      const std::optional<int> number = Member(reg, "register", 0, RegisterNameTable::kSize - 2);
      if (name && number) names.registers.emplace(*number, *name);
    }
  }
  return names;
}

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
