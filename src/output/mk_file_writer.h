// The MK image files that the calculator's MK.EXE manager and the eMKatic emulator load:
// program zone (MKP), binary zone (MKB) and decimal zone (MKD).
#pragma once

#include <string>

#include "compiler/memory_image.h"

namespace calvern {

struct MkFilesWritten {
  std::string mkp, mkb, mkd;  // empty when that file was not written
};

// Byte contents of the three files; MkpBytes is empty when no program step is used.
std::string MkpBytes(const MemoryImage& image);
std::string MkbBytes(const MemoryImage& image);
std::string MkdBytes(const MemoryImage& image);

// The name with its extension removed, keeping the dot ("game.txt" gives "game.").
std::string MkBase(const std::string& name);

// Writes the files that are due next to `name`. A file that cannot be created is skipped.
MkFilesWritten WriteMkFiles(const MemoryImage& image, bool binaryZoneUsed, bool decimalZoneUsed,
                            const std::string& name);

}  // namespace calvern
