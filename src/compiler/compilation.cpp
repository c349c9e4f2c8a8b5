#include "compiler/compilation.h"

#include "compiler/directive_compiler.h"
#include "compiler/instruction_encoder.h"
#include "compiler/structure_compiler.h"

namespace calvern {

int AddressOperand::Address() const {
  if (kind == Kind::kLabel && value >= MemoryImage::kBinaryStart) {
    return value - MemoryImage::kBinaryOffset;
  }
  return value;
}

Compilation::Compilation(std::string text, const CompileOptions& options)
    : source_(std::move(text)), Keywords(*options.keywords), Options(options) {
  Names.registerNames.LoadIoRegisters();
}

CompileResult CompileProgram(std::string text, const CompileOptions& options) {
  return Compilation(std::move(text), options).Run();
}

CompileResult Compilation::Run() && {
  if (!Failed(CompileStatements())) (void)CheckEndOfSource();
  CompileResult result;
  result.error = std::move(log_.Error());
  result.warnings = std::move(log_.Warnings());
  CompiledProgram& program = result.program;
  program.firstFreeStep = Out.CurrentStep();
  program.binaryZoneUsed = Out.BinaryZoneUsed();
  program.decimalZoneUsed = Out.DecimalZoneUsed();
  program.image = std::move(Out).TakeImage();
  program.labels = std::move(Names.labels);
  program.registerNames = std::move(Names.registerNames);
  program.namedRegisterUsed = Names.namedRegisterUsed;
  program.userLabelCount = Names.userLabelCount;
  program.listAllLabels = Switches.listAllLabels;
  program.mkFilesRequest = Switches.mkFilesRequest;
  return result;
}

Status Compilation::Fail(MessageId message, const std::string& detail) {
  return Fail(Diagnostic{.message = message, .detail = detail});
}

Status Compilation::Fail(Diagnostic diagnostic) {
  if (diagnostic.column == 0) diagnostic.column = tokenizer_.TokenColumn();
  return log_.Fail(std::move(diagnostic));
}

std::optional<std::string> Compilation::NextOperand(MessageId message, const std::string& detail) {
  std::string token = NextUpperToken();
  if (token.empty()) {
    (void)Fail(message, detail);
    return std::nullopt;
  }
  return token;
}

Status Compilation::GenerateLine(std::string text) {
  if (!statementGenerated_) generatingLine_ = tokenizer_.TokenLine();
  if (!tokenizer_.Generated().QueueLine(std::move(text))) return Fail(kGeneratedLinesFull);
  return Status::kDone;
}

long long Compilation::ErrorLine() const {
  if (statementGenerated_) return generatingLine_ + Switches.firstLineNumber;
  return tokenizer_.LineCount() + Switches.firstLineNumber;
}

// Runs statements until the source ends or one fails; a failure gets the line it stopped at.
Status Compilation::CompileStatements() {
  while (!tokenizer_.AtEnd()) {
    std::string token = NextUpperToken();
    statementGenerated_ = tokenizer_.Generated().On();
    (void)CompileStatement(std::move(token));
    if (log_.HasError()) {
      log_.Error()->line = ErrorLine();
      return Status::kFailed;
    }
  }
  return Status::kDone;
}

Status Compilation::CompileStatement(std::string token) {
  Prefixes = {};
  if (token.size() >= 2 && token[0] == '!') {  // short-jump request
    token.erase(0, 1);
    Prefixes.shortJump = Switches.optimise;
  }
  if (token.size() >= 3 && token.starts_with("#?")) {  // conditional form of a directive
    token.erase(1, 1);
    Prefixes.conditionalForm = true;
  }
  if (token.empty()) return Status::kDone;
  if (token[0] == '$') return DollarNumber(token);
  if (token.back() == ':') return DefineLabel(token);

  int index = Keywords.Find(token);
  if (index == 0) return Fail(kUnknownInstruction, token);
  const KeywordEntry& keyword = Keywords.Entry(Keywords.ResolveAlias(index));
  switch (keyword.group) {
    case kGroupDirective:
      return CompileDirective(*this, keyword);
    case kGroupPlainKey:
    case kGroupFKey:
    case kGroupKKey:
      Out.EmitKey(keyword, keyword.prefix, keyword.opcode);
      return Status::kDone;
    case kGroupStructure:
      return CompileStructure(*this, keyword);
    default:
      return CompileInstruction(*this, keyword, token);
  }
}

// After the last statement every structure must be closed and every reference resolved. An
// open structure is reported first: an IF or WHILE left open also leaves its internal label
// unresolved, and its name says more to the user than "lab1".
Status Compilation::CheckEndOfSource() {
  if (const StructureEntry* open = Structures.Innermost()) {
    return log_.Fail({.kind = DiagnosticKind::kOpenStructure,
                      .message = kEndOfFile,
                      .detail = OpenStructureName(*open),
                      .line = ErrorLine(),
                      .step = open->step});
  }
  if (const ForwardRef* ref = Names.references.FirstPending()) {
    return log_.Fail({.kind = DiagnosticKind::kUnresolvedReference,
                      .message = kUnresolvedReference,
                      .detail = ref->name,
                      .line = ErrorLine()});
  }
  return Status::kDone;
}

}  // namespace calvern
