// The state of one compilation and the operations its statement handlers share. Each piece of
// state has one owner: the emitter owns the image, the counters and the zones; the symbol
// tables own labels, references and register names; the tokenizer owns the reading position;
// the diagnostic log owns the outcome. A Compilation lives for one run, so nothing carries over
// from one compilation to the next.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "compiler/compile.h"
#include "compiler/diagnostic_log.h"
#include "compiler/emitter.h"
#include "compiler/forward_refs.h"
#include "compiler/menus/menu_state.h"
#include "compiler/structure_stack.h"
#include "compiler/symbol_tables.h"
#include "compiler/tokenizer.h"
#include "compiler/user_font.h"
#include "tables/keyword_table.h"

namespace calvern {

// What the source's settings directives chose.
struct SourceSwitches {
  long long firstLineNumber = 1;  // "#FirstLine": the number of the source's first line
  bool optimise = true;           // "#OPTIM": short forms of "!" and #NUM1-#NUM3
  int mkFilesRequest = 0;         // "#MKFiles": 0 none, 1 ask for a name, 2 beside the source
  int listAllLabels = 0;          // "#LabelList": list internal labels too
};

// The address form a jump or loop asks for with a suffix: ".S" one address byte, ".L" two.
// Without one the compiler chooses (one byte for a known target in the jump's own block).
enum class AddressForm { kChosen, kOneByte, kTwoBytes };

// The prefixes (and the address-form suffix) the statement's first token carried.
struct StatementPrefixes {
  bool shortJump = false;        // "!": one-byte forward jumps (only while optimising)
  bool conditionalForm = false;  // "#?": a menu line shown under a condition
  AddressForm addressForm = AddressForm::kChosen;  // "GOTO.S", "L0.L"
};

// An operand that named a register: its number and whether it was written in parentheses.
struct RegisterOperand {
  int number = 0;
  bool indirect = false;
};

// An address operand, as AddressValue found it.
struct AddressOperand {
  enum class Kind {
    kNumber,    // a number written as digits
    kLabel,     // a label defined before: value is its step, or its binary address + 9000
    kPending,   // a label not defined yet: the caller records what its definition patches
    kIndirect,  // a register in parentheses: value is the register number
  };
  Kind kind = Kind::kNumber;
  int value = 0;
  std::string name;  // the label, for kPending

  bool Pending() const { return kind == Kind::kPending; }
  bool Indirect() const { return kind == Kind::kIndirect; }
  // A defined label of the binary zone gives its binary address; anything else its value.
  int Address() const;
};

// Whether a register operand with this text is read without looking its name up (a register
// digit, a number, a register in parentheses): a "#reg" name like that is never used.
bool ReadsAsRegisterNumber(const std::string& name);

// Labels, pending references and register names, with the facts the listing needs.
struct Symbols {
  LabelTable labels;
  ForwardRefTable references;
  RegisterNameTable registerNames;
  bool namedRegisterUsed = false;
  int userLabelCount = 0;  // labels whose name does not begin with a lower-case "l"
};

class Compilation {
  // Declared first: the emitter records its errors in the log.
  DiagnosticLog log_;
  MemoryCharSource source_;
  Tokenizer tokenizer_{source_};

 public:
  Compilation(std::string text, const CompileOptions& options);

  // Runs the statements and the end-of-source checks.
  CompileResult Run() &&;

  const KeywordTable& Keywords;
  const CompileOptions& Options;
  Emitter Out{log_};
  Symbols Names;
  StructureStack Structures;
  SourceSwitches Switches;
  StatementPrefixes Prefixes;
  OpenFont Font;  // the user font between #FONT and #ENDFONT
  // The form layout being written (form tables), -1 until their directives are met.
  int FormTableStart = -1;     // step of the last "#FormTable"
  int FormProgramBase = -1;    // header step of the form being defined; "O" operands count from it
  int FormElementCount = -1;   // its element count
  int ElementTableStart = -1;  // step of its element program table ("#FormElements")
  MenuState Menus;

  // ---- Reading ----

  Tokenizer& Source() { return tokenizer_; }
  std::string NextUpperToken() { return tokenizer_.NextUpperToken(); }
  // The next token, upper-cased; at the end of the source, the error `message` + `detail`.
  [[nodiscard]] std::optional<std::string> NextOperand(MessageId message = kUnexpectedEndOfFile,
                                                       std::string_view detail = {});
  // The next token as a whole number, the value of `directive`; an error naming the token
  // when it is something else, and the end-of-file error when it is missing.
  [[nodiscard]] std::optional<long long> NextValue(std::string_view directive,
                                                   MessageId missing = kUnexpectedEndOfFile,
                                                   std::string_view missingDetail = {});
  // A token read already, as such a value.
  [[nodiscard]] std::optional<long long> ValueOf(const std::string& token,
                                                 std::string_view directive);
  // Queues generated source text that the statement loop reads before the rest of the file.
  [[nodiscard]] Status GenerateLine(std::string text);
  // Queues the lines 0 to lineCount - 1 that the menu generator stored, followed by its end.
  [[nodiscard]] Status GenerateStoredLines(int lineCount);

  // ---- Operands ----

  // A register operand; nullopt after an error, which has been reported unless `quiet` (a
  // caller that tries other readings first).
  std::optional<RegisterOperand> RegisterNumber(const std::string& token, bool quiet = false);
  // An address operand; nullopt after an error, which has been reported.
  std::optional<AddressOperand> AddressValue(const std::string& token);
  // Records what the definition of a pending label will patch, in cells written already;
  // fails when the table is full.
  [[nodiscard]] Status AwaitLabel(const std::string& name, ForwardRef patch);
  // A jump or loop instruction waits for the label `operand`. When the operand is a keyword or
  // stood on a later line, and the label never comes, the label was most likely left out (a
  // GOTO at the end of a line takes the next line's first word): that is then the error.
  void NoteJumpOperand(const std::string& instruction, const std::string& operand);
  // Writes the cells of a reference for a label value: at the label's definition, or at once
  // for a value known already (the reference is then not recorded). One function for both,
  // so that an item written at once and one patched later hold the same bytes.
  [[nodiscard]] Status FillReference(const ForwardRef& ref, std::string_view name, int value,
                                     bool binaryLabel,
                                     bool atDefinition);

  // ---- Labels and numbers ----

  // Defines a label (token ends with ":") and patches its pending references.
  [[nodiscard]] Status DefineLabel(const std::string& token);
  // Writes the keystroke steps of a dollar number literal ("$-4.2E6").
  [[nodiscard]] Status DollarNumber(const std::string& token);
  // "lab" + a new number: the name of an internal label of a structure.
  std::string NewInternalLabel() { return "lab" + std::to_string(++internalLabelCount_); }
  // Serial numbers of the "__label" names of generated text, from one counter: a SELECT's end
  // label takes the counter after incrementing it, a menu's label the counter before. A menu
  // skips the number a SELECT took last, so that the two never share a number.
  int NextSerial() { return lastSelectSerial_ = ++serialCounter_; }
  int NextMenuSerial() {
    if (serialCounter_ == lastSelectSerial_) ++serialCounter_;
    return serialCounter_++;
  }

  // ---- Errors ----

  // Records an error: the message, with `detail` after it, at the last token read.
  Status Fail(MessageId message, std::string_view detail = {});
  // Records an error with its text around the message ("NEXT" + " without " + "FOR."); without
  // a line of its own it stands at the last token read.
  Status Fail(Diagnostic diagnostic);
  // Records an error found when the source ended inside the statement: it is reported at the
  // line of the statement that was left open.
  Status FailAtStatement(MessageId message, std::string_view detail = {});
  Status FailAtStatement(Diagnostic diagnostic);
  // The line (as the user counts it) and column of the last token read; for generated text,
  // those of the statement that generated it.
  long long CurrentLine() const;
  int CurrentColumn() const;
  // The line and column where the statement being compiled began (for generated text, the
  // statement that generated it): what a construct left open at the end is reported at.
  long long StatementLine() const;
  int StatementColumn() const;
  void Warn(Diagnostic diagnostic) { log_.Warn(std::move(diagnostic)); }
  // True once an error was recorded: loops over many items stop there.
  bool Stopped() const { return log_.HasError(); }
  const DiagnosticLog& Log() const { return log_; }

 private:
  Status CompileStatements();
  Status CompileStatement(std::string token);
  int FindWithAddressForm(const std::string& token);
  Status CheckEndOfSource();
  // Errors in the text about to be generated are reported at the generating statement.
  void MarkGeneratingStatement();

  // The first suspicious jump of each label name noted by NoteJumpOperand, as its error.
  std::unordered_map<std::string, Diagnostic> missingLabels_;
  int internalLabelCount_ = 0;
  int referenceSerial_ = 0;
  int serialCounter_ = 0;
  int lastSelectSerial_ = -1;
  // Where the statement being compiled came from, so that errors in generated text are
  // reported at the line of the statement that generated it.
  bool statementGenerated_ = false;
  int generatingLine_ = 0;
  int generatingColumn_ = 0;
  // Where the statement being compiled started in the file (a line-end count and a column).
  int statementLine_ = 0;
  int statementColumn_ = 0;
};

}  // namespace calvern
