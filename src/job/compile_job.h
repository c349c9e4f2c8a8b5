// One compilation job: read the source, compile it, write the listing and the MK files. The
// menu, slave mode and the command line all run their compilations through here.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "platform/files.h"

namespace calvern {

// Where the listing goes: the file `listingPath`, or standard output (`calvern -o -`).
enum class ListingDestination { kFile, kStandardOutput };

struct CompileJobRequest {
  std::string sourcePath;
  std::string listingPath;
  ListingDestination listingTo = ListingDestination::kFile;
  std::string mkBaseName;  // "dir/prog." for dir/prog.MKP...; empty for none in slave mode
  // Slave mode decides about the MK files itself: under mkBaseName when it is given, and the
  // source's "#MKFiles" is ignored.
  bool slaveMode = false;
  // Told before the source is read and before the listing is created (message, file part).
  std::function<void(MessageId, const std::string&)> progress;
  // Asks the user for an MK file name ("#MKFiles 1"); an empty answer writes none.
  std::function<std::string()> chooseMkFileName;
};

enum class JobOutcome {
  kCompiled,
  kCantOpenSource,     // missing, unreadable, not a regular file, or too large: `fileProblem`
  kCantCreateListing,  // or the listing would be the source itself: `fileProblem`
  kCompileError,
  kCantWriteMkFile,  // compiled and listed, but an MK file could not be written: `failedFile`
};

// Why an MK file was not written.
enum class MkFileRefusal {
  kCantWrite,       // the file system refused it: `fileProblem` says why, when it can
  kWouldOverwrite,  // it would have overwritten the source or the listing
  kNoName,          // its base names no file: nothing before the dot ("out/.MKP")
};

// The largest source a compilation reads: far more than the calculator's 10 000 steps can
// come from, however verbose the source.
inline constexpr std::size_t kMaxSourceBytes = 64u << 20;

// The MK files a compilation wrote, for the emulator; empty names for files not written.
struct MkFilesWritten {
  std::string mkp, mkb, mkd;
};

struct CompileJobResult {
  JobOutcome outcome = JobOutcome::kCompiled;
  std::optional<Diagnostic> error;  // kCompileError: what stopped the compilation
  std::vector<Diagnostic> warnings;
  int firstFreeStep = 0;
  MkFilesWritten mkFiles;
  // kCantWriteMkFile: the MK file that could not be written (kNoName: the base as given)
  std::string failedFile;
  MkFileRefusal mkRefusal = MkFileRefusal::kCantWrite;
  // What the file system tells against the source, the listing or the MK file that failed.
  platform::FileProblem fileProblem = platform::FileProblem::kNone;
  // The compiled program (kCompiled, kCantWriteMkFile), kept for the link and the emulator.
  std::shared_ptr<const CompiledProgram> program;
};

CompileJobResult RunCompileJob(const CompileJobRequest& request);

// Whether an MK base ("out/prog.") names a file: "out/." and "out/" name none, nor does a
// name made of dots alone.
bool MkBaseNamesAFile(const std::string& base);

}  // namespace calvern
