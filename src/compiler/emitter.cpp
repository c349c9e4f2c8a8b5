#include "compiler/emitter.h"

#include "tables/character_table.h"

namespace calvern {

void Emitter::NoteWriter(int cell) {
  Track(cell);
  if (image_.Used(cell) && line_ != lastReportedLine_) WarnOfRewrite(cell);
  writer_[cell] = static_cast<int>(line_);
  awaiting_.Clear(cell);
}

// Kept out of NoteWriter, which runs for every cell written: its message is rare.
void Emitter::WarnOfRewrite(int cell) {
  lastReportedLine_ = line_;
  // Programs that rewrite their steps on purpose still compile: a warning, not an error.
  MessageId message = kStepWrittenTwice;
  int number = cell;
  if (cell >= MemoryImage::kDecimalStart) {
    message = kRegisterWrittenTwice;
    number = (cell - MemoryImage::kDecimalStart) / kDecimalRegisterBytes;
  } else if (cell >= MemoryImage::kBinaryStart) {
    message = kAddressWrittenTwice;
    number = cell - MemoryImage::kBinaryOffset;
  }
  log_.Warn({.message = message, .line = line_, .step = number, .otherLine = writer_[cell]});
}

template <typename Keys>
void Emitter::Write(CellKind kind, int value, Keys keys) {
  if (currentStep_ >= zoneEnd_ || currentStep_ < zoneStart_) return ReportZoneFull();
  NoteWriter(currentStep_);
  image_.Set(currentStep_, kind, value, keys);
  ++currentStep_;
}

void Emitter::ReportZoneFull() {
  if (log_.HasError()) return;
  (void)log_.Fail(
      {.message = zoneEnd_ == MemoryImage::kProgramCells ? kStepCounterPast9999 : kBinaryZoneFull});
}

void Emitter::EmitInstruction(const KeywordEntry& keyword, const InstructionForm& form,
                              int operand) {
  // The keys in front of a register digit, built once for each keyword and prefix a program
  // uses rather than for every instruction.
  constexpr int kPrefixes = static_cast<int>(KeysPrefix::kP) + 1;
  if (keysSlot_.empty()) keysSlot_.resize((KeywordTable::kMaxEntries + 1) * kPrefixes);
  std::uint16_t& slot = keysSlot_[keyword.index * kPrefixes + static_cast<int>(form.prefix)];
  if (slot == 0) {
    std::string made(KeysPrefixText(form.prefix));
    made += keyword.Keyword();
    made += ' ';
    // Stored in the image once, for all the cells of this keyword and prefix.
    instructionKeys_.push_back(image_.StoreKeys(made));
    slot = static_cast<std::uint16_t>(instructionKeys_.size());
  }
  const MemoryImage::KeysPlace keys = instructionKeys_[slot - 1];
  if (InOpcode(form.operand)) {
    keysScratch_.assign(image_.KeysAt(keys));
    keysScratch_ += "0123456789abcdef"[operand & 15];
    Write(CellKind::kInstruction, OpcodeFor(form, operand), std::string_view(keysScratch_));
  } else {
    Write(CellKind::kInstruction, OpcodeFor(form, operand), keys);
  }
  const OperandBytes bytes = EncodeOperand(form.operand, operand);
  for (int k = 0; k < bytes.count; ++k) {
    Write(CellKind::kOperand, bytes.bytes[k], MemoryImage::KeysPlace{0});
  }
}

void Emitter::FillOperand(int cell, OperandKind kind, int operand) {
  const OperandBytes bytes = EncodeOperand(kind, operand);
  for (int k = 0; k < bytes.count; ++k) {
    Fill(cell + k, CellKind::kOperand, bytes.bytes[k], {});
  }
}

void Emitter::EmitKeystroke(int opcode, std::string_view keys) {
  Write(CellKind::kInstruction, opcode, keys);
}

void Emitter::EmitData(int value, std::string_view keys, CellKind kind) {
  Write(kind, value, keys);
}

void Emitter::EmitChar(int code) {
  if (code == 0) return EmitData(0, "nul", CellKind::kText);
  if (code == 10) return EmitData(10, "newline", CellKind::kText);
  // The listing shows the character the code stands for, in UTF-8: "Ж" for 86.
  EmitData(code, "\"" + CharacterTable::BuiltIn().Shown(code) + "\"", CellKind::kText);
}

int Emitter::Reserve(int count, CellKind kind, const std::string& keys) {
  const int cell = currentStep_;
  for (int k = 0; k < count; ++k) Write(kind, 0, std::string_view(keys));
  return cell;
}

void Emitter::MarkAwaiting(int cell, int count, int serial) {
  for (int k = 0; k < count && cell + k < MemoryImage::kCellCount; ++k) {
    awaiting_.Mark(cell + k, serial);
  }
}

bool Emitter::StillAwaiting(int cell, int count, int serial) const {
  for (int k = 0; k < count; ++k) {
    if (awaiting_.SerialAt(cell + k) != serial) return false;
  }
  return true;
}

void Emitter::SetDecimalRegister(int r, const std::array<int, 8>& bytes, const std::string& text) {
  const int cell = MemoryImage::kDecimalStart + kDecimalRegisterBytes * r;
  NoteWriter(cell);
  for (int k = 0; k < 8; ++k) {
    image_.Set(cell + k, CellKind::kData, bytes[k], k == 0 ? text : std::string());
  }
}

void Emitter::BeginData() {
  if (dataDepth_++ > 0 || !inBinaryZone_) return;
  savedStep_ = currentStep_;
  currentStep_ = binaryPointer_ + MemoryImage::kBinaryOffset;
  zoneStart_ = MemoryImage::kBinaryStart;
  zoneEnd_ = MemoryImage::kDecimalStart;
}

void Emitter::EndData() {
  if (--dataDepth_ > 0 || zoneEnd_ == MemoryImage::kProgramCells) return;
  binaryPointer_ = currentStep_ - MemoryImage::kBinaryOffset;
  currentStep_ = savedStep_;
  zoneStart_ = 0;
  zoneEnd_ = MemoryImage::kProgramCells;
}

}  // namespace calvern
