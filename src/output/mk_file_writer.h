// The MK image files that the calculator's MK.EXE manager and the eMKatic emulator load:
// program zone (MKP), binary zone (MKB) and decimal zone (MKD).
#pragma once

#include <string>
#include <vector>

#include "compiler/compile.h"

namespace calvern {

// Byte contents of the three files; MkpBytes is empty when no program step is used.
std::string MkpBytes(const MemoryImage& image);
std::string MkbBytes(const MemoryImage& image);
std::string MkdBytes(const MemoryImage& image);

// The files a compiled program has, by extension; a zone that holds nothing has none.
struct MkFileContents {
  struct File {
    const char* extension;  // "MKP", "MKB" or "MKD"
    std::string bytes;
  };
  std::vector<File> files;
};
MkFileContents MkFilesOf(const CompiledProgram& program);

}  // namespace calvern
