#include "output/disassembler.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <vector>

#include "compiler/byte_text.h"
#include "compiler/compilation.h"
#include "output/disassembled_data.h"
#include "output/text_lines.h"
#include "tables/instruction_table.h"
#include "tables/io_register_table.h"
#include "tables/keyword_table.h"

namespace calvern {
namespace {

// Longer runs of unused steps are skipped, not written as the FF the program file holds.
constexpr int kLongestGap = 8;
constexpr const char* kIndent = "  ";

// A name the compiler reads back as it stands, as an operand and as a label: printable ASCII
// without blanks, quotes or ";", and no first character that makes it something else (a
// register in parentheses, a number, a directive, a shorthand, a prefix).
bool IsPlainName(const std::string& name) {
  if (name.empty() || name.back() == ':') return false;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u <= ' ' || u >= 0x7F || c == ';' || c == '"') return false;
  }
  const char first = name[0];
  return std::string_view("=@!$#(:0123456789").find(first) == std::string_view::npos;
}

// ---- Registers ----

// The names register operands are written with: the symbol file's (declared by #reg) and the
// I/O registers' own. A name is written only where the compiler reads it as that register: the
// lowest register carrying it.
class RegisterNames {
 public:
  explicit RegisterNames(const std::map<int, std::string>& given) {
    // Every name the compilation will know, with the register it finds: the lowest.
    std::map<int, std::pair<std::string, bool>> candidates;  // register: name, declared by #reg
    for (const IoRegisterRecord& record : IoRegisterTable()) {
      candidates[record.number] = {std::string(record.name), false};
    }
    for (const auto& [reg, name] : given) {
      if (IsPlainName(name) && !ReadsAsRegisterNumber(UpperCase(name))) {
        candidates[reg] = {name, true};
      } else {
        candidates.erase(reg);  // renamed, but not to a name a source can use
      }
    }
    std::set<std::string> seen;
    for (const auto& [reg, candidate] : candidates) {
      const auto& [name, declared] = candidate;
      if (!seen.insert(UpperCase(name)).second) continue;  // a lower register has it
      name_[reg] = name;
      if (declared) declared_.emplace_back(reg, name);
    }
  }

  const std::vector<std::pair<int, std::string>>& Declared() const { return declared_; }

  std::string Operand(int reg, bool indirect) const {
    auto it = name_.find(reg);
    const std::string text = it != name_.end() ? it->second : std::to_string(reg);
    return indirect ? "(" + text + ")" : text;
  }

 private:
  std::map<int, std::string> name_;
  std::vector<std::pair<int, std::string>> declared_;
};

// ---- The program zone, decoded ----

struct Item {
  int step = 0;
  int length = 1;
  const InstructionForm* form = nullptr;  // nullptr: a data byte
  int operand = 0;
  int target = -1;                // a direct jump's or loop's target step
  bool notAnInstruction = false;  // a data byte where the files had code
  bool filler = false;            // an unused step written as the FF the MK file holds for it
};

bool IsDigitEntry(const Item& item) {
  if (item.form == nullptr || item.form->operand != OperandKind::kNone) return false;
  const Operation op = item.form->operation;
  return (op >= Operation::kDigit0 && op <= Operation::kDigit9) || op == Operation::kPoint;
}

char DigitEntryChar(const Item& item) {
  const Operation op = item.form->operation;
  if (op == Operation::kPoint) return '.';
  return static_cast<char>('0' + static_cast<int>(op) - static_cast<int>(Operation::kDigit0));
}

// Decodes the instruction at `step`, as the compiler would have written it; nullopt where the
// bytes are no such instruction (no opcode, an operand no form of the compiler gives, a
// truncated form, operand bytes that the files mark as data).
std::optional<Item> DecodeAt(const MemoryImage& image, int step) {
  const std::uint8_t opcode = static_cast<std::uint8_t>(image.Value(step));
  const InstructionForm* form = InstructionTable::BuiltIn().Decode(opcode);
  if (form == nullptr) return std::nullopt;
  const int length = InstructionLength(form->operand);
  std::array<std::uint8_t, 2> following{};
  for (int k = 1; k < length; ++k) {
    const int cell = step + k;
    if (cell >= kProgramMemory.EndCell() || image.Kind(cell) != CellKind::kInstruction) {
      return std::nullopt;
    }
    following[k - 1] = static_cast<std::uint8_t>(image.Value(cell));
  }
  const std::optional<int> operand =
      DecodeOperand(*form, opcode, std::span(following.data(), length - 1));
  if (!operand) return std::nullopt;
  Item item{.step = step, .length = length, .form = form, .operand = *operand};
  if (form->operand == OperandKind::kAddressByte) {
    // The compiler never ends a block with a one-byte jump: its byte would be in the next.
    if (!OneByteAddress(step, OneByteTarget(step, *operand))) return std::nullopt;
    item.target = OneByteTarget(step, *operand);
  } else if (form->operand == OperandKind::kAddressPair) {
    item.target = *operand;
  }
  return item;
}

// The length of the run of unused steps from `step` when it is short and lies inside a block
// between used steps: the MK file holds FF with the data attribute there, as for a data byte
// FF, so the run is written as such data. 0 for any other run.
int ShortInnerGap(const MemoryImage& image, int step) {
  const int block = kProgramMemory.blockSize;
  if (step == kProgramMemory.firstCell || step % block == 0 || !image.Used(step - 1)) return 0;
  int end = step;
  while (end < kProgramMemory.EndCell() && end % block != 0 && !image.Used(end)) ++end;
  const bool inner = end < kProgramMemory.EndCell() && end % block != 0;
  return inner && end - step < kLongestGap ? end - step : 0;
}

std::vector<Item> DecodeProgram(const MemoryImage& image) {
  std::vector<Item> items;
  for (int step = kProgramMemory.firstCell; step < kProgramMemory.EndCell();) {
    if (!image.Used(step)) {
      const int gap = ShortInnerGap(image, step);
      for (int k = 0; k < gap; ++k) items.push_back({.step = step + k, .filler = true});
      step += std::max(gap, 1);
      continue;
    }
    const bool code = image.Kind(step) == CellKind::kInstruction;
    if (std::optional<Item> item = code ? DecodeAt(image, step) : std::nullopt) {
      items.push_back(*item);
      step += item->length;
      continue;
    }
    items.push_back({.step = step, .notAnInstruction = code});
    ++step;
  }
  return items;
}

// ---- Writing ----

class SourceWriter {
 public:
  SourceWriter(const MkImage& memory, const SymbolNames& names)
      : memory_(memory), image_(memory.image), names_(names), registers_(names.registers) {}

  std::string Write(const std::string& origin);

 private:
  void Statement(const std::string& text) { body_.Add(kIndent + text); }
  void Labels(const std::vector<std::string>& labels) {
    for (const std::string& label : labels) body_.Add(label + ":");
  }

  void PlaceProgramLabels();
  void WriteProgramZone();
  void MoveTo(int step, int& position);
  void WriteInstruction(const Item& item, std::size_t& next);
  std::string TargetText(const Item& item) const;
  void WriteData(const std::vector<std::uint8_t>& bytes, const std::vector<bool>& foreign) {
    for (const std::string& statement : DataStatements(bytes, foreign)) Statement(statement);
  }
  void WriteBinaryZone();
  void WriteDecimalZone();

  const MkImage& memory_;
  const MemoryImage& image_;
  const SymbolNames& names_;
  RegisterNames registers_;
  CrlfText body_;
  std::vector<std::string> notes_;
  std::vector<Item> items_;
  // Per step (and the step after the last): the labels defined there; jumps name the first.
  std::vector<std::vector<std::string>> labels_ =
      std::vector<std::vector<std::string>>(kProgramMemory.cells + 1);
  std::map<int, std::vector<std::string>> binaryLabels_;  // binary address: labels there
  std::vector<int> foreignSteps_;                         // steps of code kept as data
};

// Where a label can stand: where an item starts, or right after the last item of a run of used
// steps (the step counter passes there). Jump targets get the symbol file's name or "L" and
// the step; a target elsewhere stays a number.
void SourceWriter::PlaceProgramLabels() {
  std::vector<char> places(kProgramMemory.cells + 1, 0);
  for (const Item& item : items_) {
    places[item.step] = 1;
    const int end = item.step + item.length;
    if (end < kProgramMemory.EndCell() && !image_.Used(end)) places[end] = 1;
  }
  // One name space for the labels of both zones, as in the compiler.
  std::set<std::string> taken;
  for (const auto& [step, name] : names_.programLabels) {
    if (!IsPlainName(name) || taken.contains(UpperCase(name))) continue;
    if (!places[step]) {
      notes_.push_back("label " + name + " at step " + FourDigits(step) +
                       " stands inside an instruction or an unused run: left out");
      continue;
    }
    taken.insert(UpperCase(name));
    labels_[step].push_back(name);
  }
  for (const auto& [address, name] : names_.binaryLabels) {
    if (IsPlainName(name) && taken.insert(UpperCase(name)).second) {
      binaryLabels_[address].push_back(name);
    }
  }
  for (const Item& item : items_) {
    if (item.target < 0 || !places[item.target] || !labels_[item.target].empty()) {
      continue;
    }
    std::string name = "L" + FourDigits(item.target);
    while (taken.contains(name)) name += "_";
    taken.insert(name);
    labels_[item.target].push_back(name);
  }
}

// The compiler chooses the form of a jump by what it knows when it reaches it: one address
// byte for a target already defined in the jump's own block, two otherwise. Where the codes
// hold the other form, ".S" or ".L" asks for it.
std::string SourceWriter::TargetText(const Item& item) const {
  const std::vector<std::string>& named = labels_[item.target];
  const bool labelled = !named.empty();
  // A label after the jump is not defined yet when the compiler reaches the jump.
  const bool known = !labelled || item.target <= item.step;
  const bool chosenOneByte = known && OneByteAddress(item.step, item.target).has_value();
  const bool oneByte = item.form->operand == OperandKind::kAddressByte;
  const std::string suffix = oneByte == chosenOneByte ? "" : oneByte ? ".S" : ".L";
  const Instruction& instruction = InstructionOf(item.form->operation);
  return instruction.mnemonic + suffix + " " +
         (labelled ? named.front() : std::to_string(item.target));
}

void SourceWriter::WriteInstruction(const Item& item, std::size_t& next) {
  const Instruction& instruction = InstructionOf(item.form->operation);
  if (IsDigitEntry(item)) {
    // Digits and points in a row, with no label between them, are one number: "$12.5".
    std::string number = "$";
    do {
      number += DigitEntryChar(items_[next++]);
    } while (next < items_.size() && IsDigitEntry(items_[next]) &&
             items_[next].step == items_[next - 1].step + 1 && labels_[items_[next].step].empty());
    Statement(number);
    return;
  }
  ++next;
  const OperandKind kind = item.form->operand;
  if (IsAddress(kind)) {
    Statement(TargetText(item));
  } else if (kind == OperandKind::kNone) {
    Statement(instruction.mnemonic);
  } else {
    Statement(std::string(instruction.mnemonic) + " " +
              registers_.Operand(item.operand, IsIndirect(kind)));
  }
}

// Moves the compiler's step counter from `position` to `step`: #BLOCK to the step's block when
// it lies beyond, then FF data over the steps in between (the MK file holds FF with the data
// attribute for them either way).
void SourceWriter::MoveTo(int step, int& position) {
  const int block = kProgramMemory.blockSize;
  if (step / block != position / block) {
    Statement("#BLOCK " + std::to_string(step / block));
    position = step / block * block;
  }
  if (step > position) {
    Statement("#INITB " + std::to_string(step - position) + " 255");
    position = step;
  }
}

void SourceWriter::WriteProgramZone() {
  items_ = DecodeProgram(image_);
  PlaceProgramLabels();
  int position = 0;
  // A program file that begins or ends with blocks of FF data only still covers them.
  const int block = kProgramMemory.blockSize;
  const int firstUsed = items_.empty() ? -1 : items_.front().step / block;
  int lastUsed = items_.empty() ? -1 : (items_.back().step + items_.back().length - 1) / block;
  if (memory_.programFile && (firstUsed < 0 || memory_.firstBlock < firstUsed)) {
    MoveTo(memory_.firstBlock * block, position);
    WriteData({0xFF}, {false});
    ++position;
    lastUsed = std::max(lastUsed, memory_.firstBlock);
  }
  for (std::size_t next = 0; next < items_.size();) {
    const Item& item = items_[next];
    if (item.step != position) {
      Labels(labels_[position]);
      MoveTo(item.step, position);
    }
    Labels(labels_[item.step]);
    if (item.form != nullptr) {
      WriteInstruction(item, next);
      position = items_[next - 1].step + items_[next - 1].length;
      continue;
    }
    // A run of data bytes, up to the next label.
    std::vector<std::uint8_t> bytes;
    std::vector<bool> foreign;
    do {
      const Item& data = items_[next];
      bytes.push_back(data.filler ? kProgramMemory.mkFiller
                                  : static_cast<std::uint8_t>(image_.Value(data.step)));
      foreign.push_back(items_[next].notAnInstruction);
      if (items_[next].notAnInstruction) foreignSteps_.push_back(items_[next].step);
      ++next;
    } while (next < items_.size() && items_[next].form == nullptr &&
             items_[next].step == items_[next - 1].step + 1 && labels_[items_[next].step].empty());
    WriteData(bytes, foreign);
    position = items_[next - 1].step + 1;
  }
  if (position <= kProgramMemory.cells) Labels(labels_[position]);
  if (memory_.programFile && memory_.endBlock - 1 > lastUsed) {
    MoveTo((memory_.endBlock - 1) * block, position);
    WriteData({0xFF}, {false});
  }
}

void SourceWriter::WriteBinaryZone() {
  body_.Add("");
  body_.Add("#BINARY");
  for (const std::string& line : BinaryZoneLines(image_, binaryLabels_, kIndent)) body_.Add(line);
}

void SourceWriter::WriteDecimalZone() {
  body_.Add("");
  body_.Add("#DECIMAL");
  for (int r = 0; r < kDecimalRegisters; ++r) {
    std::array<int, 8> bytes{};
    bool zero = true;
    for (int k = 0; k < kDecimalRegisterBytes; ++k) {
      bytes[k] = image_.Value(kDecimalMemory.firstCell + kDecimalRegisterBytes * r + k);
      zero = zero && bytes[k] == 0;
    }
    if (zero) continue;  // the file holds 0 for an unused register too
    if (std::optional<std::string> value = DecimalValueText(bytes)) {
      Statement(std::to_string(r) + " " + *value);
    } else {
      notes_.push_back("register " + std::to_string(r) +
                       " holds bytes no #DECIMAL value gives: left out");
    }
  }
}

std::string SourceWriter::Write(const std::string& origin) {
  WriteProgramZone();
  if (!foreignSteps_.empty()) {
    std::string steps;
    for (std::size_t k = 0; k < foreignSteps_.size() && k < 8; ++k) {
      steps += (k > 0 ? ", " : "") + FourDigits(foreignSteps_[k]);
    }
    if (foreignSteps_.size() > 8) steps += " ... (" + std::to_string(foreignSteps_.size()) + ")";
    notes_.push_back("steps " + steps + ": no instruction as the compiler writes it, kept as data");
  }
  if (memory_.binaryZoneUsed) WriteBinaryZone();
  if (memory_.decimalZoneUsed) WriteDecimalZone();
  CrlfText out;
  out.Add("; Disassembled by calvern from " + origin + ".");
  out.Add("; Compiling this source gives the same bytes in every zone" +
          std::string(notes_.empty() ? "." : ", but for these:"));
  for (const std::string& note : notes_) out.Add(";   " + note);
  out.Add("");
  for (const auto& [reg, name] : registers_.Declared()) {
    out.Add("#reg " + std::to_string(reg) + " " + name);
  }
  if (!registers_.Declared().empty()) out.Add("");
  return out.Take() + body_.Take();
}

}  // namespace

std::string DisassembledSource(const MkImage& memory, const SymbolNames& names,
                               const std::string& origin) {
  return SourceWriter(memory, names).Write(origin);
}

}  // namespace calvern
