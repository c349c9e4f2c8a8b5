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
  ZoneOverflow = false;
}

int Compilation::Fail(int messageId, const std::string& detail) {
  Status[2] = "   " + Msg(messageId) + detail;
  return 1;
}

long long Compilation::ErrorLine() const {
  return (tokenizer_ ? tokenizer_->LineCount : 0) + FirstLineNumber;
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
    int rc = CompileStatement(NextUpperToken());
    if (rc == 0 && ZoneOverflow) rc = Fail(kStepCounterPast9999);
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

// After the last statement: every reference must be resolved.
int Compilation::CheckEndOfSource() {
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
