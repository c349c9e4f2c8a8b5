#include "job/disassembly_job.h"

#include "job/mk_file_set.h"
#include "output/code_string.h"
#include "output/disassembler.h"
#include "output/symbol_file.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace calvern {
namespace {

// A symbol file of the largest program is about 100 KB.
constexpr std::size_t kLargestSymbolFile = 16u << 20;

DisassemblyResult Failure(DisassemblyOutcome outcome, MessageId message, std::string detail) {
  return {.outcome = outcome, .message = message, .detail = std::move(detail)};
}

}  // namespace

std::string MkFileOfBase(const std::string& base) {
  if (IsMkFileName(base)) return base;  // a file of the set named whole
  const std::string dotted = base.ends_with('.') ? base : base + ".";
  for (const MemoryZone& zone : kMemoryZones) {
    std::string lower = zone.mkExtension;
    for (char& c : lower) c = static_cast<char>(c - 'A' + 'a');
    for (const std::string& extension : {std::string(zone.mkExtension), lower}) {
      if (platform::PathExists(dotted + extension)) return dotted + extension;
    }
  }
  return dotted + kProgramMemory.mkExtension;
}

DisassemblyResult RunDisassembly(const DisassemblyRequest& request) {
  MkImage memory;
  std::string origin;
  std::vector<std::string> inputs;
  if (!request.mkFile.empty()) {
    MkFileSetReading reading = ReadMkFileSet(request.mkFile);
    if (!reading.image) {
      return Failure(reading.errorMessage == kCantReadMkFile ? DisassemblyOutcome::kCantReadMkFiles
                                                             : DisassemblyOutcome::kNoProgram,
                     static_cast<MessageId>(reading.errorMessage), reading.errorFile);
    }
    memory = std::move(*reading.image);
    if (memory.Empty()) {
      return Failure(DisassemblyOutcome::kNoProgram, kZeroStepFound, " " + request.mkFile);
    }
    for (const std::string& file : reading.files) {
      origin += (origin.empty() ? "" : ", ") + platform::FilePart(file);
    }
    inputs = reading.files;
  } else {
    const CodeStringReading codes = ReadCodeString(request.codes);
    if (codes.problem == CodeStringProblem::kLength) {
      return Failure(DisassemblyOutcome::kBadCodeLength, kCodeStringOdd, " " + codes.detail);
    }
    if (codes.problem == CodeStringProblem::kCharacter) {
      return Failure(DisassemblyOutcome::kBadCodeCharacter, kErrorInProgramCodes,
                     " " + codes.detail);
    }
    memory = ImageOfCodes(codes.codes);
    origin = "a code string of " + std::to_string(codes.codes.size()) + " steps";
  }
  SymbolNames names;
  if (!request.symbolsPath.empty()) {
    std::optional<std::string> text =
        platform::ReadWholeFile(request.symbolsPath, kLargestSymbolFile);
    std::optional<SymbolNames> read = text ? ReadSymbolFile(*text) : std::nullopt;
    if (!read) {
      return Failure(DisassemblyOutcome::kCantReadSymbols, kCantReadSymbolFile,
                     request.symbolsPath);
    }
    names = std::move(*read);
    inputs.push_back(request.symbolsPath);
  }
  DisassemblyResult result;
  result.source = DisassembledSource(memory, names, origin);
  if (request.outputPath.empty()) return result;
  for (const std::string& input : inputs) {
    if (platform::SameFile(input, request.outputPath)) {
      return Failure(DisassemblyOutcome::kCantWriteSource, kOutputWouldOverwrite,
                     request.outputPath);
    }
  }
  if (!platform::WriteFileAtomically(request.outputPath, result.source)) {
    return Failure(DisassemblyOutcome::kCantWriteSource, kCantCreateFile, " " + request.outputPath);
  }
  return result;
}

}  // namespace calvern
