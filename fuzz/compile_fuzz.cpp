// Compiles any bytes as a source: every input ends in a program or a reported error.
#include <cstddef>
#include <cstdint>
#include <string>

#include "compiler/compile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  calvern::CompileResult result =
      calvern::CompileProgram(std::string(reinterpret_cast<const char*>(data), size));
  // A failed compilation says where; a program ends inside the calculator's 10 000 steps.
  if (!result.Ok() && result.error->line < 0) __builtin_trap();
  if (result.Ok() && (result.program.firstFreeStep < 0 || result.program.firstFreeStep > 10000)) {
    __builtin_trap();
  }
  return 0;
}
