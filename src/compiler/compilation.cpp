#include "compiler/compilation.h"

#include "compiler/directive_compiler.h"
#include "compiler/instruction_encoder.h"
#include "compiler/key_notation.h"
#include "compiler/menu_directives.h"
#include "compiler/numbers.h"
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
  if (!Failed(CompileStatements()) && !Failed(CheckEndOfSource())) WarnOfTallMenu(*this);
  // Built in one piece from what the compilation took: the image and the tables are moved,
  // never built empty first and then overwritten.
  CompileResult result{.program = {.image = std::move(Out).TakeImage(),
                                   .labels = std::move(Names.labels),
                                   .registerNames = std::move(Names.registerNames),
                                   .binaryZoneUsed = Out.BinaryZoneUsed(),
                                   .decimalZoneUsed = Out.DecimalZoneUsed(),
                                   .namedRegisterUsed = Names.namedRegisterUsed,
                                   .userLabelCount = Names.userLabelCount,
                                   .listAllLabels = Switches.listAllLabels,
                                   .firstFreeStep = Out.CurrentStep(),
                                   .mkFilesRequest = Switches.mkFilesRequest},
                       .error = std::move(log_.Error()),
                       .warnings = std::move(log_.Warnings())};
  return result;
}

Status Compilation::Fail(MessageId message, std::string_view detail) {
  return Fail(Diagnostic{.message = message, .detail = std::string(detail)});
}

Status Compilation::Fail(Diagnostic diagnostic) {
  if (diagnostic.line == 0) diagnostic.line = CurrentLine();
  if (diagnostic.column == 0) diagnostic.column = CurrentColumn();
  return log_.Fail(std::move(diagnostic));
}

Status Compilation::FailAtStatement(MessageId message, std::string_view detail) {
  return FailAtStatement(Diagnostic{.message = message, .detail = std::string(detail)});
}

Status Compilation::FailAtStatement(Diagnostic diagnostic) {
  diagnostic.line = StatementLine();
  diagnostic.column = StatementColumn();
  return Fail(std::move(diagnostic));
}

long long Compilation::StatementLine() const {
  return (statementGenerated_ ? generatingLine_ : statementLine_) + Switches.firstLineNumber;
}

int Compilation::StatementColumn() const {
  return statementGenerated_ ? generatingColumn_ : statementColumn_;
}

long long Compilation::CurrentLine() const {
  return (statementGenerated_ ? generatingLine_ : tokenizer_.TokenLine()) +
         Switches.firstLineNumber;
}

int Compilation::CurrentColumn() const {
  return statementGenerated_ ? generatingColumn_ : tokenizer_.TokenColumn();
}

std::optional<std::string> Compilation::NextOperand(MessageId message, std::string_view detail) {
  std::string token = NextUpperToken();
  if (token.empty()) {
    (void)FailAtStatement(message, std::string(detail));
    return std::nullopt;
  }
  return token;
}

std::optional<long long> Compilation::NextValue(std::string_view directive, MessageId missing,
                                                std::string_view missingDetail) {
  std::optional<std::string> token = NextOperand(missing, missingDetail);
  if (!token) return std::nullopt;
  return ValueOf(*token, directive);
}

std::optional<long long> Compilation::ValueOf(const std::string& token,
                                              std::string_view directive) {
  std::optional<long long> value = WholeNumber(token);
  if (!value) (void)Fail(kNumberExpectedIn, std::string(directive) + " " + token);
  return value;
}

void Compilation::MarkGeneratingStatement() {
  if (!statementGenerated_) {
    generatingLine_ = statementLine_;
    generatingColumn_ = statementColumn_;
  }
}

Status Compilation::GenerateLine(std::string text) {
  MarkGeneratingStatement();
  if (!tokenizer_.Generated().QueueLine(std::move(text))) return Fail(kGeneratedLinesFull);
  return Status::kDone;
}

Status Compilation::GenerateStoredLines(int lineCount) {
  MarkGeneratingStatement();
  if (!tokenizer_.Generated().QueueStoredLines(lineCount)) return Fail(kGeneratedLinesFull);
  return Status::kDone;
}

// Runs statements until the source ends or one fails. A failure recorded without a place (a
// zone that ran full) gets the place of the last token read.
Status Compilation::CompileStatements() {
  while (!tokenizer_.AtEnd()) {
    std::string token = NextUpperToken();
    statementGenerated_ = tokenizer_.Generated().On();
    if (!statementGenerated_) {
      statementLine_ = tokenizer_.TokenLine();
      statementColumn_ = tokenizer_.TokenColumn();
    }
    Out.SetLine(CurrentLine());
    (void)CompileStatement(std::move(token));
    if (std::optional<Diagnostic>& error = log_.Error()) {
      if (error->line == 0) error->line = CurrentLine();
      if (error->column == 0) error->column = CurrentColumn();
      return Status::kFailed;
    }
  }
  return Status::kDone;
}

// A jump or loop keyword followed by ".S" or ".L" ("GOTO.S", "IF(X<0)GOTO.L"): the keyword's
// index, with the address form in the prefixes; 0 for any other token.
int Compilation::FindWithAddressForm(const std::string& token) {
  if (token.size() < 3 || token[token.size() - 2] != '.') return 0;
  const char form = token.back();
  if (form != 'S' && form != 'L') return 0;
  const int index = Keywords.Find(std::string_view(token).substr(0, token.size() - 2));
  if (index == 0) return 0;
  const int group = Keywords.Entry(Keywords.ResolveAlias(index)).group;
  if (group != kGroupLoop && group != kGroupJump) return 0;
  Prefixes.addressForm = form == 'S' ? AddressForm::kOneByte : AddressForm::kTwoBytes;
  return index;
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
  if (index == 0) index = FindWithAddressForm(token);
  if (index == 0) return CompileKeyNotation(*this, token);
  const KeywordEntry& keyword = Keywords.Entry(Keywords.ResolveAlias(index));
  switch (keyword.group) {
    case kGroupDirective:
      return CompileDirective(*this, keyword);
    case kGroupPlainKey:
    case kGroupFKey:
    case kGroupKKey:
      EmitKey(*this, keyword);
      return Status::kDone;
    case kGroupStructure:
      return CompileStructure(*this, keyword);
    default:
      return CompileInstruction(*this, keyword, token);
  }
}

// After the last statement every structure, the user font and the menus must be closed and
// every reference resolved. An open structure is reported first: an IF or WHILE left open also
// leaves its internal label unresolved, and its name says more to the user than "lab1".
Status Compilation::CheckEndOfSource() {
  if (const StructureEntry* open = Structures.Innermost()) {
    return log_.Fail({.kind = DiagnosticKind::kOpenStructure,
                      .message = kEndOfFile,
                      .detail = OpenStructureName(*open),
                      .line = open->line,
                      .step = open->step});
  }
  if (Font.open) {
    return log_.Fail({.kind = DiagnosticKind::kOpenStructure,
                      .message = kEndOfFile,
                      .detail = "#FONT",
                      .line = Font.line,
                      .step = Font.start});
  }
  if (Failed(CheckMenusEnded(*this))) return Status::kFailed;
  // A reference whose cells were written again is no longer waiting for anything.
  const ForwardRef* ref = Names.references.FirstPending(
      [this](const ForwardRef& r) { return Out.StillAwaiting(r.cell, CellsFilled(r), r.serial); });
  if (ref != nullptr) {
    const std::string name(Names.references.NameOf(*ref));
    if (auto missing = missingLabels_.find(name); missing != missingLabels_.end()) {
      return log_.Fail(missing->second);
    }
    return log_.Fail({.kind = DiagnosticKind::kUnresolvedReference,
                      .message = kUnresolvedReference,
                      .detail = name,
                      .line = ref->line});
  }
  return Status::kDone;
}

}  // namespace calvern
