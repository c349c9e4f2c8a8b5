// `calvern disasm FILE.MKP [-o SOURCE] [--symbols FILE.json]` and
// `calvern disasm --codes "52 53 05" [-o SOURCE]`: MK files or a code string back to a source,
// on standard output unless -o names a file.
#include <memory>

#include "job/disassembly_job.h"
#include "job/mk_file_set.h"
#include "platform/files.h"
#include "shell/command_line.h"
#include "shell/command_line_verbs.h"

namespace calvern {
namespace {

struct DisasmArguments {
  std::string file;
  std::string codes;
  std::string output;
  std::string symbols;
  const Argument* codesOption = nullptr;
};

int RunDisasm(const DisasmArguments& a) {
  const MessageTable messages;
  const bool codesGiven = a.codesOption->count > 0;
  if (codesGiven == !a.file.empty()) {
    return ReportError(messages[kDisassemblyInput] + (a.file.empty() ? "nothing" : a.file),
                       kExitUsage);
  }
  if (!codesGiven && !IsMkFileName(a.file)) {
    return ReportError(messages[kDisassemblyInput] + a.file, kExitUsage);
  }
  DisassemblyRequest request;
  request.mkFile = codesGiven ? std::string() : a.file;
  request.codes = a.codes;
  request.symbolsPath = a.symbols;
  request.outputPath = a.output == "-" ? std::string() : a.output;
  const DisassemblyResult result = RunDisassembly(request);
  switch (result.outcome) {
    case DisassemblyOutcome::kDone:
      break;
    case DisassemblyOutcome::kBadCodeLength:
    case DisassemblyOutcome::kBadCodeCharacter:
      return ReportError(messages[result.message] + result.detail, kExitUsage);
    default:
      return ReportError(messages[result.message] + result.detail, kExitFileError);
  }
  if (request.outputPath.empty()) {
    // The source has CR LF line ends as the program's files do; a terminal wants line feeds.
    std::string text = result.source;
    std::erase(text, '\r');
    if (!platform::WriteStandardOutput(text)) return kExitFileError;
  }
  return kExitOk;
}

}  // namespace

Verb DisasmVerb() {
  auto a = std::make_shared<DisasmArguments>();
  auto verb = std::make_unique<VerbArguments>(
      "disasm", "Turn MK files or a code string back into a source that compiles to them");
  verb->AddPositional("FILE", a->file, "FILE.MKP, FILE.MKB or FILE.MKD: the set is read");
  a->codesOption = &verb->AddOption(
      "--codes", a->codes,
      "A string of codes instead: hexadecimal pairs (\"52 53 05\"), or the display digits "
      "0123456789-LCRE and blank");
  verb->AddOption("-o,--output", a->output, "The source to write (default: standard output)");
  verb->AddOption("--symbols", a->symbols,
                  "Label and register names from the file compile --symbols wrote");
  return {std::move(verb), [a] { return RunDisasm(*a); }};
}

}  // namespace calvern
