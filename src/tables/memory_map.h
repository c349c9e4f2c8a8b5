// The calculator's memory as Calvern numbers it: one cell per byte, the three zones one after
// the other. The image, the MK files (written and read), the listing, the symbol file and the
// link all take the zones from here.
#pragma once

#include <cstdint>

namespace calvern {

struct MemoryZone {
  int firstCell;            // the image cell of the zone's first byte
  int cells;                // bytes in the zone
  int firstNumber;          // what the calculator calls its first byte: step 0, binary address 1000
  int blockSize;            // bytes per block, in the link's block commands and for #BLOCK
  std::uint8_t linkCode;    // the zone's byte in the link's block commands
  std::uint8_t linkFiller;  // sent for an unused cell of a block that is sent
  const char* mkExtension;  // the MK file that holds the zone
  std::uint8_t mkFiller;    // written there for an unused cell

  constexpr int EndCell() const { return firstCell + cells; }
  constexpr int Blocks() const { return cells / blockSize; }
  constexpr bool Holds(int cell) const { return cell >= firstCell && cell < EndCell(); }
};

// Steps 0000-9999 in blocks of 100.
inline constexpr MemoryZone kProgramMemory{0, 10000, 0, 100, 0x80, 0xFF, "MKP", 0xFF};
// Binary addresses 1000-5095 in blocks of 64: address a is cell a + 9000.
inline constexpr MemoryZone kBinaryMemory{10000, 4096, 1000, 64, 0x82, 0xFF, "MKB", 0x00};
// Decimal registers 0-999, eight bytes each, sent in blocks of 64 bytes.
inline constexpr MemoryZone kDecimalMemory{14096, 8000, 0, 64, 0x81, 0x00, "MKD", 0x00};

inline constexpr MemoryZone kMemoryZones[] = {kProgramMemory, kBinaryMemory, kDecimalMemory};
inline constexpr int kMemoryCells = kDecimalMemory.EndCell();
inline constexpr int kDecimalRegisterBytes = 8;
inline constexpr int kDecimalRegisters = kDecimalMemory.cells / kDecimalRegisterBytes;
// Binary address a lives in cell a + 9000.
inline constexpr int kBinaryAddressToCell = kBinaryMemory.firstCell - kBinaryMemory.firstNumber;

static_assert(kProgramMemory.EndCell() == kBinaryMemory.firstCell);
static_assert(kBinaryMemory.EndCell() == kDecimalMemory.firstCell);

}  // namespace calvern
