#include "compiler/compilation.h"

#include "compiler/directive_compiler.h"
#include "compiler/instruction_encoder.h"
#include "compiler/structure_compiler.h"

namespace calvern {

Compilation::Compilation(const MessageTable& messages, const KeywordTable& keywords)
    : Keywords(keywords), messages_(messages) {}

void Compilation::Reset() {
  Image.Reset();
  Labels.Clear();
  ForwardRefs.Clear();
  RegisterNames.Clear();
  RegisterNames.LoadIoRegisters();
  Status.Clear();
  MkFiles = {};
  CurrentStep = 0;
  BinaryPointer = 1000;
  InBinaryZone = false;
  FirstLineNumber = 1;
  OptimFlag = -1;
  ShortJumpFlag = 0;
  ConditionalForm = false;
  UnresolvedFlag = 0;
  MkFilesMode = 0;
  BinaryZoneUsed = false;
  DecimalZoneUsed = false;
  NamedRegisterUsed = false;
  UserLabelCount = 0;
  ListAllLabels = 0;
  OffsetBase = 0;
  FormProgramBase = 0;
  CompiledOk = false;
  StepLimit = MemoryImage::kProgramCells;
  ZoneStart = 0;
  ZoneOverflow = 0;
  Structures.Reset();
  InternalLabelCount = 0;
  SerialCounter = 0;
  MenuIndex = -1;
  MenuBase = 0;
  MenuItemCount = -1;
  statementGenerated_ = false;
  generatingLine_ = 0;
}

int Compilation::FailText(const std::string& text) {
  Status[2] = text;
  return 1;
}

int Compilation::Fail(int messageId, const std::string& detail) {
  Status[2] = "   " + Msg(messageId) + detail;
  return 1;
}

long long Compilation::ErrorLine() const {
  if (statementGenerated_) return generatingLine_ + FirstLineNumber;
  return (tokenizer_ ? tokenizer_->LineCount : 0) + FirstLineNumber;
}

int Compilation::GenerateSource(int lineCount, const std::string& text) {
  GeneratedLines& lines = tokenizer_->Generated;
  if (!statementGenerated_) generatingLine_ = tokenizer_->TokenLine;
  int start = 0;
  bool stored;
  if (!text.empty()) {
    start = MenuIndex != -1 ? MenuBase + 10 : 0;
    stored = lines.SetLine(start, text) && lines.SetLine(start + 1, "#ENDSTRINGINPUT");
  } else {
    stored = lines.SetLine(lineCount, "#ENDMENUINPUT");
  }
  if (!stored) return Fail(kGeneratedLinesFull);
  lines.StartAt(start);
  return 0;
}

int Compilation::PushStructure(const std::string& tag) { return PushStructure(tag, CurrentStep); }

int Compilation::PushStructure(const std::string& tag, int value) {
  if (Structures.Full()) return Fail(kStructuresTooDeep, tag);
  Structures.Push(tag, value, CurrentStep);
  return 0;
}

void Compilation::AttachSource(std::string text) {
  source_ = std::make_unique<MemoryCharSource>(std::move(text));
  tokenizer_ = std::make_unique<Tokenizer>(*source_);
}

void Compilation::StartReading(std::string text) {
  Reset();
  AttachSource(std::move(text));
}

int Compilation::CompileText(std::string text) {
  StartReading(std::move(text));
  int rc = CompileStatements();
  if (rc == 0) rc = CheckEndOfSource();
  if (rc == 0) CompiledOk = true;
  return rc;
}

// Runs statements until the source ends or one fails; on failure status line 1 names the line.
int Compilation::CompileStatements() {
  while (!tokenizer_->AtEnd()) {
    std::string token = NextUpperToken();
    statementGenerated_ = tokenizer_->Generated.On();
    int rc = CompileStatement(std::move(token));
    if (rc == 0 && ZoneOverflow) rc = Fail(ZoneOverflow);
    if (rc != 0) {
      Status[1] = Msg(kErrorAtLine) + std::to_string(ErrorLine());
      return rc;
    }
  }
  return 0;
}

int Compilation::CompileStatement(std::string token) {
  ShortJumpFlag = 0;
  ConditionalForm = false;
  if (token.size() >= 2 && token[0] == '!') {  // short-jump request
    token.erase(0, 1);
    ShortJumpFlag = OptimFlag;
  }
  if (token.size() >= 3 && token.starts_with("#?")) {  // conditional form of a directive
    token.erase(1, 1);
    ConditionalForm = true;
  }
  if (token.empty()) return 0;
  if (token[0] == '$') return DollarNumber(token);
  if (token.back() == ':') return DefineLabel(token);

  int index = Keywords.Find(token);
  if (index == 0) return Fail(kUnknownInstruction, token);
  index = Keywords.ResolveAlias(index);
  switch (Keywords.Group(index)) {
    case kGroupDirective:
      return CompileDirective(*this, index);
    case kGroupPlainKey:
      // RTI is entered as PP RTI; the other plain keys have no prefix.
      EmitStep(index, Keywords.Code(index) == "F2" ? kPrefixPP : kNoPrefix, -1, "");
      return 0;
    case kGroupFKey:
      EmitStep(index, kPrefixF, -1, "");
      return 0;
    case kGroupKKey:
      EmitStep(index, kPrefixK, -1, "");
      return 0;
    case kGroupStructure:
      return CompileStructure(*this, index);
    default:
      return CompileInstruction(*this, index, token);
  }
}

// After the last statement every structure must be closed and every reference resolved. An
// open structure is reported first: an IF or WHILE left open also leaves its internal label
// unresolved, and its name says more to the user than "lab1".
int Compilation::CheckEndOfSource() {
  int depth = Structures.Depth();
  if (depth > 0) {
    Status[1] = Msg(kEndOfFile) + OpenStructureName(Structures.Tag(depth - 1)) + " (" +
                Msg(kFromStep) + std::to_string(Structures.Step(depth - 1)) + ")" +
                Msg(kStructureNotClosed);
    return 1;
  }
  if (const ForwardRef* ref = ForwardRefs.FirstPending()) {
    Status[1] = Msg(kUnresolvedReference) + ref->name;
    return 1;
  }
  return 0;
}

std::string FilePart(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace calvern
