// The form tables: "#FormTable" lists the forms, "#DefineForm" writes a form's header, and the
// table and program directives that follow lay out the form's parts after it. The form engine
// finds each part through a one-byte offset in the header, counted from the header's step.
#include <string>

#include "compiler/compilation.h"
#include "compiler/form_directives.h"

namespace calvern {
namespace {

constexpr int kHeaderSize = 8;  // element count - 1, then seven offsets
constexpr int kEndOfTable = 0xFF;

// The value of a table entry or form id: one byte, up to `maximum`.
std::optional<int> ByteValue(Compilation& c, const std::string& token, std::string_view name,
                             int maximum = 255) {
  std::optional<long long> value = c.ValueOf(token, name);
  if (!value) return std::nullopt;
  if (*value < 0 || *value > maximum) {
    (void)c.Fail(kDataValueOutOfRange, std::string(name) + " " + token);
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

// Points `cell` at the step counter as an offset from the form's header.
Status LinkHere(Compilation& c, int cell, std::string_view what) {
  return c.FillReference({.kind = PatchKind::kFormOffset, .cell = cell, .base = c.FormProgramBase},
                         what, c.Out.CurrentStep(), false, false);
}

// Moves the step counter past cells that later directives fill.
Status Skip(Compilation& c, int cells) {
  const int next = c.Out.CurrentStep() + cells;
  if (next > MemoryImage::kProgramCells) return c.Fail(kStepCounterPast9999);
  c.Out.SetCurrentStep(next);
  return Status::kDone;
}

// "#FormTable" id ... "#END": three cells per form (its id and its header's address, which
// "#DefineForm" fills in), then FF.
Status CompileFormTable(Compilation& c) {
  c.FormTableStart = c.Out.CurrentStep();
  for (;;) {
    std::optional<std::string> token = c.NextOperand(kUnexpectedEndOfFileIn, "#FormTable");
    if (!token) return Status::kFailed;
    if (*token == "#END") {
      if (c.Out.CurrentStep() == c.FormTableStart) return c.Fail(kEmptyTableIn, "#Formtable");
      c.Out.EmitData(kEndOfTable, "END");
      break;
    }
    // FF would end the table for the form engine.
    std::optional<int> id = ByteValue(c, *token, "#FormTable", kEndOfTable - 1);
    if (!id) return Status::kFailed;
    c.Out.EmitData(*id, "Id");
    c.Out.EmitData(0, "Undef", CellKind::kUndefined);
    c.Out.EmitData(0, "Undef", CellKind::kUndefined);
    if (c.Stopped()) return Status::kFailed;
  }
  return c.Stopped() ? Status::kFailed : Status::kDone;
}

// The form table entry of `id`, or -1.
int FindFormEntry(const Compilation& c, int id) {
  const MemoryImage& image = c.Out.Image();
  for (int cell = c.FormTableStart; cell < MemoryImage::kProgramCells; cell += 3) {
    const int value = image.Value(cell);
    if (value == kEndOfTable || value < 0) break;
    if (value == id) return cell;
  }
  return -1;
}

// "#DefineForm" id n: the form's header at the step counter, its address in the form table.
Status CompileDefineForm(Compilation& c) {
  const std::string name = "#DefineForm";
  std::optional<std::string> idToken = c.NextOperand(kNotEnoughParametersIn, name);
  if (!idToken) return Status::kFailed;
  std::optional<std::string> countToken = c.NextOperand(kNotEnoughParametersIn, name);
  if (!countToken) return Status::kFailed;
  if (c.FormTableStart < 0) {
    return c.Fail({.message = kWithout, .lead = "#Defineform", .detail = "#FormTable"});
  }
  std::optional<long long> id = c.ValueOf(*idToken, name);
  if (!id) return Status::kFailed;
  const int entry = *id >= 0 && *id < kEndOfTable ? FindFormEntry(c, static_cast<int>(*id)) : -1;
  if (entry < 0) return c.Fail(kUnknownIdentifierIn, name);
  std::optional<long long> count = c.ValueOf(*countToken, name);
  if (!count) return Status::kFailed;
  // The header holds n - 1 in one byte.
  if (*count < 1 || *count > 256) return c.Fail(kBadElementNumberIn, name);
  if (c.Out.Image().Value(entry + 1) != MemoryImage::kUndefined) return c.Fail(kFormDefinedTwice);

  const int header = c.Out.CurrentStep();
  if (Failed(c.FillReference({.kind = PatchKind::kAddressFull, .cell = entry + 1}, {}, header,
                             false, false))) {
    return Status::kFailed;
  }
  c.FormProgramBase = header;
  c.FormElementCount = static_cast<int>(*count);
  // Element programs of this form go to this form's own element table.
  c.ElementTableStart = -1;
  c.Out.EmitData(c.FormElementCount - 1, "Size");
  if (c.Stopped()) return Status::kFailed;
  return Skip(c, kHeaderSize - 1);
}

// "#FormFlags" and the other one-byte tables: n entries (2n for the Input and Output tables),
// or fewer when ">>" lets the following bytes serve as the rest.
Status CompileFormEntries(Compilation& c, std::string_view name, int count) {
  for (int k = 0; k < count; ++k) {
    std::optional<std::string> token = c.NextOperand(kUnexpectedEndOfFileIn, name);
    if (!token) return Status::kFailed;
    if (*token == ">>") break;
    std::optional<int> value = ByteValue(c, *token, name);
    if (!value) return Status::kFailed;
    c.Out.EmitData(*value, "byte");
    if (c.Stopped()) return Status::kFailed;
  }
  return Status::kDone;
}

// "#FormElementProgram" e: element e's program starts here.
Status CompileElementProgram(Compilation& c, std::string_view name) {
  std::optional<std::string> token = c.NextOperand(kUnexpectedEndOfFileIn, name);
  if (!token) return Status::kFailed;
  std::optional<long long> element = c.ValueOf(*token, name);
  if (!element) return Status::kFailed;
  if (*element < 0 || *element >= c.FormElementCount) return c.Fail(kBadElementNumberIn, name);
  if (c.ElementTableStart < 0) {
    return c.Fail({.message = kWithout, .lead = std::string(name), .detail = "#FormElements"});
  }
  return LinkHere(c, c.ElementTableStart + static_cast<int>(*element),
                  std::string(name) + " " + *token);
}

}  // namespace

Status CompileFormTableDirective(Compilation& c, const KeywordEntry& directive) {
  const int index = directive.index;
  const std::string_view name = directive.Keyword();
  if (index == kDirFormTable) return CompileFormTable(c);
  if (index == kDirDefineForm) return CompileDefineForm(c);
  if (index == kDirFormElementProgram) return CompileElementProgram(c, name);

  // The table and program directives: each links itself into its header cell first.
  if (c.FormProgramBase < 0) {
    return c.Fail({.message = kWithout, .lead = std::string(name), .detail = "#DefineForm"});
  }
  const int headerCell = c.FormProgramBase + (index - kDirDefineForm);
  if (Failed(LinkHere(c, headerCell, name))) return Status::kFailed;
  const int n = c.FormElementCount;
  switch (index) {
    case kDirFormInput:
    case kDirFormOutput:
      return CompileFormEntries(c, name, 2 * n);
    case kDirFormMainProgram:
      return Status::kDone;
    case kDirFormElements:
      c.ElementTableStart = c.Out.CurrentStep();
      return Skip(c, n);
    default:  // flags, left, right
      return CompileFormEntries(c, name, n);
  }
}

}  // namespace calvern
