// The layout of the MK image files that the MK.EXE manager and the eMKatic emulator load, for
// their writer and their reader. The program file starts with the number of its first block of
// 100 steps, then holds two bytes per step, the step's byte and its attribute; the binary and
// decimal files hold their whole zone, one byte per cell (the memory map's zones).
#pragma once

namespace calvern {

// Attribute byte of a program step: 0 an instruction or its operand, 2 data or an unused step
// (an unused step holds FF).
inline constexpr char kMkpInstruction = 0;
inline constexpr char kMkpDataOrUnused = 2;
// Bytes per step in the program file, after its one-byte header.
inline constexpr int kMkpBytesPerStep = 2;

}  // namespace calvern
