#include "job/compile_job.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "output/listing_writer.h"
#include "output/mk_file_writer.h"
#include "pictures/picture_files.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/program.h"

namespace calvern {
namespace {

// Writes the MK files that are due beside `name` (its extension replaced). The first file that
// must not or cannot be written stops the writing and is reported; an older file of that name
// is removed, so that it is not taken for the result of this compilation.
void WriteMkFiles(const CompiledProgram& program, const std::string& name,
                  const CompileJobRequest& request, CompileJobResult& result) {
  const std::string base = platform::WithoutExtension(name, platform::ExtensionRule::kAfterLastDot);
  auto refuse = [&result](const std::string& path, MkFileRefusal why) {
    result.outcome = JobOutcome::kCantWriteMkFile;
    result.failedFile = path;
    result.mkRefusal = why;
  };
  for (const MkFileContents::File& file : MkFilesOf(program).files) {
    const std::string path = base + file.extension;
    if (!MkBaseNamesAFile(base)) return refuse(name, MkFileRefusal::kNoName);
    if (platform::SameFile(path, request.sourcePath) ||
        (request.listingTo == ListingDestination::kFile &&
         platform::SameFile(path, request.listingPath))) {
      return refuse(path, MkFileRefusal::kWouldOverwrite);
    }
    if (!platform::WriteFileAtomically(path, file.bytes)) {
      result.fileProblem = platform::WritingProblem(path);
      if (!platform::ExistsButNotRegular(path)) (void)platform::RemoveFile(path);
      return refuse(path, MkFileRefusal::kCantWrite);
    }
    std::string& slot = file.extension[2] == 'P'   ? result.mkFiles.mkp
                        : file.extension[2] == 'B' ? result.mkFiles.mkb
                                                   : result.mkFiles.mkd;
    slot = path;
  }
}

// What a compilation is likely to allocate, measured: tables and records of a few hundred KB
// for any program, and the source's text with its names, labels and the per-step records
// that grow with it. Too much costs little; too little, a page fault for each page missing.
std::size_t CompilationMemory(std::optional<std::uintmax_t> sourceBytes) {
  constexpr std::uintmax_t kLargest = 16u << 20;
  return static_cast<std::size_t>(
      std::min(kLargest, (256u << 10) + 4 * std::min(kLargest, sourceBytes.value_or(0))));
}

}  // namespace

bool MkBaseNamesAFile(const std::string& base) {
  return platform::FilePart(base).find_first_not_of('.') != std::string::npos;
}

CompileJobResult RunCompileJob(const CompileJobRequest& request) {
  CompileJobResult result;
  auto progress = [&](MessageId message, const std::string& path) {
    if (request.progress) request.progress(message, platform::FilePart(path));
  };

  progress(kOpeningSourceFile, request.sourcePath);
  platform::PrepareMemory(CompilationMemory(platform::RegularFileSize(request.sourcePath)));
  std::optional<std::string> text = platform::ReadWholeFile(request.sourcePath, kMaxSourceBytes);
  if (!text) {
    result.outcome = JobOutcome::kCantOpenSource;
    result.fileProblem = platform::ReadingProblem(request.sourcePath, kMaxSourceBytes);
    return result;
  }
  const bool listingToFile = request.listingTo == ListingDestination::kFile;
  std::unique_ptr<platform::ReplacementFile> listing;
  if (listingToFile) {
    progress(kCreatingCompiledFile, request.listingPath);
    // The listing must never be the source itself: writing it would destroy the user's program.
    if (!platform::SameFile(request.sourcePath, request.listingPath)) {
      listing = platform::ReplacementFile::Create(request.listingPath);
      if (!listing) result.fileProblem = platform::WritingProblem(request.listingPath);
    }
    if (!listing) {
      result.outcome = JobOutcome::kCantCreateListing;
      return result;
    }
  }

  const PictureFiles pictures;
  CompileOptions options;
  options.pictures = &pictures;
  options.sourceDirectory = platform::DirectoryPart(request.sourcePath);
  CompileResult compiled = CompileProgram(std::move(*text), options);
  result.warnings = std::move(compiled.warnings);
  if (!compiled.Ok()) {
    // After an error the listing is left empty: callers look at it to see that nothing compiled.
    result.outcome = JobOutcome::kCompileError;
    result.error = std::move(compiled.error);
    if (listing) (void)listing->Commit("");
    return result;
  }
  const bool listed =
      listingToFile ? WriteListing(compiled.program,
                                   [&](std::string_view part) { return listing->Append(part); }) &&
                          listing->Commit("")
                    : WriteListing(compiled.program, platform::WriteStandardOutput);
  if (!listed) {
    result.outcome = JobOutcome::kCantCreateListing;
    if (listingToFile) result.fileProblem = platform::WritingProblem(request.listingPath);
    return result;
  }
  result.firstFreeStep = compiled.program.firstFreeStep;
  std::string mkName;
  const int mode =
      request.slaveMode ? (request.mkBaseName.empty() ? 0 : 2) : compiled.program.mkFilesRequest;
  if (mode == 1 && request.chooseMkFileName) mkName = request.chooseMkFileName();
  if (mode == 2) mkName = request.mkBaseName;
  if (!mkName.empty()) WriteMkFiles(compiled.program, mkName, request, result);
  result.program = std::make_shared<const CompiledProgram>(std::move(compiled.program));
  return result;
}

}  // namespace calvern
