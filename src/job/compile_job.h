// One compilation job: read the source, compile it, write the listing and the MK files. The
// menu, slave mode and the command line all run their compilations through here.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compile.h"

namespace calvern {

struct CompileJobRequest {
  std::string sourcePath;
  std::string listingPath;
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
  kCantOpenSource,     // missing, unreadable, or not a regular file
  kCantCreateListing,  // or the listing would be the source itself
  kCompileError,
  kCantWriteMkFile,  // compiled and listed, but an MK file could not be written: `failedFile`
};

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
  std::string failedFile;          // kCantWriteMkFile: the MK file that could not be written
  bool failedFileIsInput = false;  // it would have overwritten the source or the listing
  // The compiled program (kCompiled, kCantWriteMkFile), kept for the link and the emulator.
  std::shared_ptr<const CompiledProgram> program;
};

CompileJobResult RunCompileJob(const CompileJobRequest& request);

}  // namespace calvern
