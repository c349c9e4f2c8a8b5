// Any bytes as a program, disassembled and compiled again: the source always compiles, and to
// the same bytes in every zone. The first byte chooses how the rest is read: as the program
// zone's codes, as a code string, as a program file, as a binary or decimal zone file, or as
// a symbol file whose names a fixed program takes.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "output/code_string.h"
#include "output/disassembled_data.h"
#include "output/disassembler.h"
#include "output/mk_file_writer.h"
#include "output/symbol_file.h"

namespace {

using namespace calvern;

CompiledProgram Recompiled(const MkImage& memory, const SymbolNames& names = {}) {
  const CompileResult result = CompileProgram(DisassembledSource(memory, names, "fuzz"));
  if (!result.Ok()) __builtin_trap();
  return result.program;
}

void CheckCodes(const std::vector<std::uint8_t>& codes) {
  const MemoryImage back = Recompiled(ImageOfCodes(codes)).image;
  for (int step = 0; step < kProgramMemory.cells; ++step) {
    const bool inCodes = step < static_cast<int>(codes.size());
    if (back.Used(step) != inCodes) __builtin_trap();
    if (inCodes && back.Value(step) != codes[step]) __builtin_trap();
  }
}

// The program file's header and step bytes, without the code/data attributes: a step the
// compiler cannot write as code comes back as data.
std::string WithoutAttributes(const std::string& mkp) {
  std::string bytes = mkp.substr(0, 1);
  for (std::size_t i = 1; i < mkp.size(); i += 2) bytes += mkp[i];
  return bytes;
}

// A decimal file with the registers no #DECIMAL value gives cleared: those are left out.
std::string RepresentableRegisters(std::string mkd) {
  for (int r = 0; r < kDecimalRegisters; ++r) {
    std::array<int, 8> bytes{};
    bool zero = true;
    for (int k = 0; k < 8; ++k) {
      bytes[k] = static_cast<unsigned char>(mkd[8 * r + k]);
      zero = zero && bytes[k] == 0;
    }
    if (!zero && !DecimalValueText(bytes)) mkd.replace(8 * r, 8, std::string(8, '\0'));
  }
  return mkd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 6) {
    case 0:
      CheckCodes(std::vector<std::uint8_t>(
          rest.begin(), rest.begin() + std::min<std::size_t>(rest.size(), kProgramMemory.cells)));
      break;
    case 1: {
      const CodeStringReading reading = ReadCodeString(rest);
      if (reading.problem == CodeStringProblem::kNone) CheckCodes(reading.codes);
      break;
    }
    case 2: {
      MkImage memory;
      if (!AddMkFile("MKP", rest, memory)) break;
      const std::string back = MkpBytes(Recompiled(memory).image);
      if (WithoutAttributes(back) != WithoutAttributes(rest)) __builtin_trap();
      break;
    }
    case 5: {
      // Names of any text on jumps, calls, registers and binary data: whatever the file says,
      // the source compiles to the same codes.
      const std::optional<SymbolNames> names = ReadSymbolFile(rest);
      if (!names) break;
      const std::vector<std::uint8_t> codes = {0x65, 0xD7, 0x6F, 0x20, 0xF4, 0x90, 0x01, 0x51,
                                               0x00, 0xF3, 0x00, 0x02, 0x5D, 0x12, 0x52};
      MkImage memory = ImageOfCodes(codes);
      memory.binaryZoneUsed = true;
      for (int cell = kBinaryMemory.firstCell; cell < kBinaryMemory.EndCell(); ++cell) {
        memory.image.Set(cell, CellKind::kData, cell % 7 == 0 ? 65 : 0, "");
      }
      const CompiledProgram back = Recompiled(memory, *names);
      for (std::size_t step = 0; step < codes.size(); ++step) {
        if (back.image.Value(static_cast<int>(step)) != codes[step]) __builtin_trap();
      }
      if (MkbBytes(back.image) != MkbBytes(memory.image)) __builtin_trap();
      break;
    }
    default: {
      const MemoryZone& zone = data[0] % 6 == 3 ? kBinaryMemory : kDecimalMemory;
      std::string file = rest;
      file.resize(zone.cells, '\0');
      MkImage memory;
      if (!AddMkFile(zone.mkExtension, file, memory)) __builtin_trap();
      const CompiledProgram back = Recompiled(memory);
      if (&zone == &kBinaryMemory ? MkbBytes(back.image) != file
                                  : MkdBytes(back.image) != RepresentableRegisters(file)) {
        __builtin_trap();
      }
      break;
    }
  }
  return 0;
}
