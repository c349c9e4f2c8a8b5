// One compilation: the memory image, the symbol tables, the counters and switches, and the
// operations the statement handlers share (EmitStep, AddressValue, RegisterNumber, DefineLabel).
// Two Compilation objects never affect each other.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/memory_image.h"
#include "compiler/status_lines.h"
#include "compiler/structure_stack.h"
#include "compiler/symbol_tables.h"
#include "compiler/tokenizer.h"
#include "output/mk_file_writer.h"
#include "tables/keyword_table.h"
#include "tables/message_table.h"

namespace calvern {

// Keys prefixes that EmitStep writes in front of a keyword in the listing.
enum PrefixSelector : int {
  kPrefixF = 0,    // "F "
  kPrefixK = 1,    // "K "
  kPrefixPK = 3,   // "PK "
  kPrefixPP = 4,   // "PP "
  kPrefixPF = 5,   // "PF "
  kPrefixP = 6,    // "P "
  kCharByte = 7,   // with what <= 0: a text character byte
  kRawByte = 8,    // with what <= 0: a plain data byte
  kNoPrefix = -1,  // any other value: no prefix
};

// What one compilation is asked to do.
struct CompileRequest {
  std::string sourcePath;
  std::string listingPath;
  std::string mkBaseName;
  bool slaveMode = false;
  // Progress lines for the console (interactive compilations only); may be empty.
  std::function<void(const std::string&)> progress;
  // Asks the user for an MK file name ("#MKFiles 1"); empty answer or no function: no files.
  std::function<std::string()> chooseMkFileName;
};

// The result codes that slave mode passes on as exit codes.
enum class CompileResult : int {
  kOk = 0,
  kCantOpenSource = 8,
  kCantCreateListing = 9,
  kError = 10,
};

struct CompileOutcome {
  CompileResult result = CompileResult::kOk;
  long long errorLine = 0;  // line of the error for kError
};

// An operand that named a register: its number and whether it was written in parentheses.
struct RegisterOperand {
  int number;
  bool indirect;
};

// An address operand: a step number, a label's value, or an indirect register.
struct AddressOperand {
  int value;  // indirect: the register number
  bool indirect;
  bool label = false;  // the value is a defined label's (binary-zone labels: address + 9000)
};

class Compilation {
 public:
  explicit Compilation(const MessageTable& messages,
                       const KeywordTable& keywords = KeywordTable::BuiltIn());

  // Compiles a source file into the image, writes the listing and the MK files asked for.
  CompileOutcome CompileSource(const CompileRequest& request);
  // Compiles a text held in memory: the statement loop and the end-of-source checks only
  // (no listing, no MK files). Returns 0 on success, non-zero after an error.
  int CompileText(std::string text);
  // Resets the compilation and makes `text` the input, without compiling anything: handlers
  // can then be driven one by one (tests, tools).
  void StartReading(std::string text);

  // ---- Operations shared by the statement handlers ----

  // Writes one cell at CurrentStep and advances it (see PrefixSelector for `what` <= 0).
  void EmitStep(int what, int prefixSelector, int registerDigit, std::string_view codeText);
  // Writes a cell with the given code and listing texts at CurrentStep and advances it.
  void EmitCell(std::string code, std::string keys);
  // Evaluates an address operand; records a forward reference for an undefined label.
  // nullopt after an error, which has been reported.
  std::optional<AddressOperand> AddressValue(const std::string& token);
  // Evaluates a register operand; nullopt after an error, which has been reported unless
  // `quiet` (a caller that tries other readings first).
  std::optional<RegisterOperand> RegisterNumber(const std::string& token, bool quiet = false);
  // target mod 100 when a one-byte address from CurrentStep reaches target, else -1.
  int ShortAddress(int target) const;
  // Defines a label (token ends with ":") and patches its pending references.
  int DefineLabel(const std::string& token);
  // Writes the keystroke steps of a dollar number literal ("$-4.2E6").
  int DollarNumber(const std::string& token);
  // The next token, upper-cased.
  std::string NextUpperToken() { return UpperCase(tokenizer_->NextToken()); }
  Tokenizer& Source() { return *tokenizer_; }
  // Queues generated source text that the statement loop reads before the rest of the file.
  // With text: one line followed by "#ENDSTRINGINPUT". Without: lines 0 to lineCount - 1 were
  // filled by the caller and "#ENDMENUINPUT" follows them. Returns 0, or 1 after an error.
  int GenerateSource(int lineCount, const std::string& text);
  // "lab" + a new number: the name of an internal label.
  std::string NewInternalLabel() { return "lab" + std::to_string(++InternalLabelCount); }
  // Opens a structure at CurrentStep, or with an explicit value; 1 when the stack is full.
  int PushStructure(const std::string& tag);
  int PushStructure(const std::string& tag, int value);
  // Reports an error whose whole text is given (it starts with its three blanks). Returns 1.
  int FailText(const std::string& text);
  // Reports an error: status line 2 = three blanks + message + detail. Returns 1.
  int Fail(int messageId, const std::string& detail = std::string());
  const std::string& Msg(int id) const { return messages_[id]; }
  long long ErrorLine() const;

  const KeywordTable& Keywords;

  // ---- Tables ----
  MemoryImage Image;
  LabelTable Labels;
  ForwardRefTable ForwardRefs;
  RegisterNameTable RegisterNames;
  StatusLines Status;
  StructureStack Structures;
  MkFilesWritten MkFiles;  // the MK files of the last compilation, for the emulator

  // ---- Counters and switches, reset by every compilation ----
  int CurrentStep = 0;
  int BinaryPointer = 1000;
  bool InBinaryZone = false;
  long long FirstLineNumber = 1;
  int OptimFlag = -1;            // "#OPTIM": -1 on, 0 off
  int ShortJumpFlag = 0;         // OptimFlag when the statement had the "!" prefix
  bool ConditionalForm = false;  // the statement had the "#?" prefix
  int UnresolvedFlag = 0;        // -1 after AddressValue met an undefined label
  int MkFilesMode = 0;           // 0 none, 1 ask for a name, 2 write under the MK base name
  bool SlaveMode = false;
  bool BinaryZoneUsed = false;
  bool DecimalZoneUsed = false;
  bool NamedRegisterUsed = false;
  int UserLabelCount = 0;
  int ListAllLabels = 0;
  int OffsetBase = 0;       // "#BASE" location for "#OFFSET"
  int FormProgramBase = 0;  // base of the offsets of form programs
  bool CompiledOk = false;
  int InternalLabelCount = 0;  // numbers the "lab" labels of structures
  int SerialCounter = 0;       // numbers SELECTs and menus
  int MenuIndex = -1;          // menu being collected by the menu generator, -1 for none
  int MenuBase = 0;            // first generated line of that menu
  int MenuItemCount = -1;
  // The cell after the last one EmitStep may write in the current zone; writing there (or
  // before the zone) sets ZoneOverflow to the message that the statement loop reports.
  int StepLimit = MemoryImage::kProgramCells;
  int ZoneStart = 0;
  int ZoneOverflow = 0;

 private:
  void Reset();
  int CompileStatements();
  int CompileStatement(std::string token);
  int CheckEndOfSource();
  void PatchReference(const ForwardRef& ref, int value, bool binaryLabel, int* error);

  // Attaches the input that NextToken reads.
  void AttachSource(std::string text);

  const MessageTable& messages_;
  // Where the statement being compiled came from, so that errors in generated text are
  // reported at the line of the statement that generated it.
  bool statementGenerated_ = false;
  int generatingLine_ = 0;
  std::unique_ptr<MemoryCharSource> source_;
  std::unique_ptr<Tokenizer> tokenizer_;
};

// "3412" + "1 2" + "3 4" for 1234: low pair, high pair, then each pair as keys.
std::string AddressDigits(int address);
// The file part of a path: what follows its last "/" or "\".
std::string FilePart(const std::string& path);

}  // namespace calvern
