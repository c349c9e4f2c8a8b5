// Writes the memory image: program steps at the step counter, data in the current zone, and
// the cells that forward references fill in later. It owns the image, the two location
// counters, the zone switch, the bounds that keep every write inside its zone, and the record
// of who wrote each cell, so that a cell written a second time is reported and a placeholder
// written over is no longer patched.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/awaiting_cells.h"
#include "compiler/diagnostic_log.h"
#include "compiler/memory_image.h"
#include "tables/instruction_table.h"
#include "tables/keyword_table.h"

namespace calvern {

class Emitter {
 public:
  explicit Emitter(DiagnosticLog& log) : log_(log) {}

  const MemoryImage& Image() const { return image_; }
  MemoryImage TakeImage() && { return std::move(image_); }

  // The source line of the statement being compiled: the writer of the cells it writes.
  void SetLine(long long line) { line_ = line; }

  // ---- Program steps, at the step counter ----

  // An instruction entered by `keyword` in the form `form`, with its operand (a register, or
  // a target step). Keys: the form's prefix, the keyword and a blank, and for a register in the
  // opcode the register as a lower-case hexadecimal digit; then one step per operand byte.
  void EmitInstruction(const KeywordEntry& keyword, const InstructionForm& form, int operand);
  // A keystroke written by its code and keys (digits of numbers, ".", "/-/", "EE").
  void EmitKeystroke(int opcode, std::string_view keys);

  // ---- Data, in the current zone (see DataPlacement) ----

  // A data byte of the given kind; `keys` is its listing comment ("byte", "WORD", "AL(34)").
  void EmitData(int value, std::string_view keys, CellKind kind = CellKind::kData);
  // A text character (a calculator code): "nul", "newline" or the character in double quotes.
  void EmitChar(int code);
  // `count` cells of the given kind whose values are filled in later; returns the first cell.
  int Reserve(int count, CellKind kind, const std::string& keys = "");

  // ---- Cells written out of order ----

  // Fills a cell reserved or skipped before (patches, form tables, font offsets). Not a second
  // write: the cell was waiting for this value.
  void Fill(int cell, CellKind kind, int value, std::string_view keys) {
    image_.Set(cell, kind, value, keys);
    Track(cell);
    awaiting_.Clear(cell);
  }
  // Fills the operand bytes of an instruction from `cell` on, as EmitInstruction writes them.
  void FillOperand(int cell, OperandKind kind, int operand);
  // Marks `count` cells from `cell` as waiting for forward reference `serial`; a later write
  // to one of them (not a fill) takes it away from the reference.
  void MarkAwaiting(int cell, int count, int serial);
  bool StillAwaiting(int cell, int count, int serial) const;

  // ---- Counters and zones ----

  int CurrentStep() const { return currentStep_; }
  void SetCurrentStep(int step) { currentStep_ = step; }
  int BinaryPointer() const { return binaryPointer_; }
  void SetBinaryPointer(int address) { binaryPointer_ = address; }
  bool InBinaryZone() const { return inBinaryZone_; }
  void SelectProgramZone() { inBinaryZone_ = false; }
  void SelectBinaryZone() { inBinaryZone_ = binaryZoneUsed_ = true; }
  bool BinaryZoneUsed() const { return binaryZoneUsed_; }
  bool DecimalZoneUsed() const { return decimalZoneUsed_; }
  void UseDecimalZone() { decimalZoneUsed_ = true; }
  // Writes the eight cells of decimal register r; the first cell's keys show the value.
  void SetDecimalRegister(int r, const std::array<int, 8>& bytes, const std::string& text);
  // The "#BASE" location that "#OFFSET" counts from: a step, or a binary address.
  int OffsetBase() const { return offsetBase_; }
  void SetOffsetBase() { offsetBase_ = inBinaryZone_ ? binaryPointer_ : currentStep_; }

  // While the binary zone is current, data goes to the binary cells through the step counter;
  // the program's own step counter waits aside. In the program zone nothing changes.
  void BeginData();
  void EndData();

 private:
  // `keys`: a text, or the place of keys stored in the image before.
  template <typename Keys>
  void Write(CellKind kind, int value, Keys keys);
  // Records the writer of `cell`; a cell written before is reported, once per statement.
  void NoteWriter(int cell);
  void WarnOfRewrite(int cell);
  // A write past the current zone's end: the error of the zone (the first error stands).
  void ReportZoneFull();
  // Makes room in the per-cell records up to `cell`: like the image, they hold the cells up to
  // the highest one written.
  void Track(int cell) {
    if (static_cast<std::size_t>(cell) < writer_.size()) return;
    StoreCellsUpTo(writer_, cell);
  }

  DiagnosticLog& log_;
  MemoryImage image_;
  // Per cell: the line that wrote it last, 0 for none. Lines fit an int: a source holds at
  // most 64 MiB, and #FirstLine starts at most at 8388607.
  std::vector<int> writer_;
  AwaitingCells awaiting_;
  // Instructions' keys, put together and stored in the image once for each keyword and prefix
  // the program uses: by keyword index and prefix, the place in instructionKeys_ (from 1; 0 for
  // none yet) of where the image holds them. A text for every keyword and prefix would cost
  // more to set up than a short program's compilation.
  std::vector<std::uint16_t> keysSlot_;
  std::vector<MemoryImage::KeysPlace> instructionKeys_;
  // An instruction's keys with a register digit put together.
  std::string keysScratch_;
  long long line_ = 0;
  long long lastReportedLine_ = -1;
  int currentStep_ = 0;
  int binaryPointer_ = kBinaryMemory.firstNumber;
  bool inBinaryZone_ = false;
  bool binaryZoneUsed_ = false;
  bool decimalZoneUsed_ = false;
  int offsetBase_ = 0;
  // Writes go to [zoneStart_, zoneEnd_): the program zone, or the binary zone inside data.
  int zoneStart_ = 0;
  int zoneEnd_ = MemoryImage::kProgramCells;
  int dataDepth_ = 0;
  int savedStep_ = 0;
};

// Brackets one data item: see Emitter::BeginData.
class DataPlacement {
 public:
  explicit DataPlacement(Emitter& out) : out_(out) { out_.BeginData(); }
  ~DataPlacement() { out_.EndData(); }
  DataPlacement(const DataPlacement&) = delete;
  DataPlacement& operator=(const DataPlacement&) = delete;

 private:
  Emitter& out_;
};

}  // namespace calvern
