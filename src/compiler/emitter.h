// Writes the memory image: program steps at the step counter, data in the current zone, and
// the patches of forward references. It owns the image, the two location counters, the zone
// switch and the bounds that keep every write inside its zone.
#pragma once

#include <array>
#include <string>

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

  // ---- Program steps, at the step counter ----

  // An instruction entered by `keyword` in the form `form`, with its operand (a register, or
  // a target step). Keys: the form's prefix, the keyword and a blank, and for a register in the
  // opcode the register as a lower-case hexadecimal digit; then one step per operand byte.
  void EmitInstruction(const KeywordEntry& keyword, const InstructionForm& form, int operand);
  // A keystroke written by its code and keys (digits of numbers, ".", "/-/", "EE").
  void EmitKeystroke(int opcode, std::string keys);

  // ---- Data, in the current zone (see DataPlacement) ----

  // A data byte; `keys` follows the data marker ("byte", "WORD", "AL(34)", ...).
  void EmitData(int value, const std::string& keys);
  // A text character: "nul", "newline" or the character in double quotes.
  void EmitChar(int code);
  // A byte whose value a label's definition supplies later; returns its cell.
  int ReserveData(const std::string& keys);

  // ---- Cells written out of order ----

  // Overwrites a cell that was written before (patches, form tables, decimal registers).
  void Patch(int cell, int value, std::string keys) { image_.Set(cell, value, std::move(keys)); }
  // Writes the operand bytes of an instruction from `cell` on, as EmitInstruction writes them:
  // the patch of a jump whose target is now known.
  void PatchOperand(int cell, OperandKind kind, int operand);

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
  void Write(int value, std::string keys);

  DiagnosticLog& log_;
  MemoryImage image_;
  int currentStep_ = 0;
  int binaryPointer_ = 1000;
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
