// The compilation of a source file: open the source and the listing, run the statements, then
// write the listing and the MK files.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "compiler/compilation.h"
#include "output/listing_writer.h"

namespace calvern {
namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Opens the listing at its start without cutting it yet, creating it when missing.
FilePtr OpenListing(const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "r+b"), &std::fclose);
  if (!file) file.reset(std::fopen(path.c_str(), "wb"));
  return file;
}

// The listing must never be the source itself: writing it would destroy the user's program.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

CompileOutcome Compilation::CompileSource(const CompileRequest& request) {
  Reset();
  SlaveMode = request.slaveMode;
  if (SlaveMode) MkFilesMode = request.mkBaseName.empty() ? 0 : 2;
  auto progress = [&](int message, const std::string& path) {
    if (!SlaveMode && request.progress) request.progress(Msg(message) + FilePart(path) + "...");
  };

  progress(kOpeningSourceFile, request.sourcePath);
  std::optional<std::string> text = ReadWholeFile(request.sourcePath);
  if (!text) {
    Status[1] = Msg(kCantOpenSource);
    return {CompileResult::kCantOpenSource, 0};
  }
  progress(kCreatingCompiledFile, request.listingPath);
  FilePtr listing(nullptr, &std::fclose);
  if (!SameFile(request.sourcePath, request.listingPath))
    listing = OpenListing(request.listingPath);
  if (!listing) {
    Status[1] = Msg(kCantCreateOutput);
    return {CompileResult::kCantCreateListing, 0};
  }

  AttachSource(std::move(*text));
  int rc = CompileStatements();
  if (rc == 0) rc = CheckEndOfSource();
  CompileOutcome outcome{CompileResult::kOk, 0};
  std::string listingText;
  if (rc != 0) {
    outcome = {CompileResult::kError, ErrorLine()};
  } else {
    listingText = ListingText({Image, Labels, RegisterNames, BinaryZoneUsed, DecimalZoneUsed,
                               NamedRegisterUsed, UserLabelCount, ListAllLabels});
    Status[1] = Msg(kCompilationSuccessful);
    CompiledOk = true;
    Status[2] = Msg(kFirstFreeStep) + std::to_string(CurrentStep);
    std::string mkName;
    if (MkFilesMode == 1 && request.chooseMkFileName) mkName = request.chooseMkFileName();
    if (MkFilesMode == 2) mkName = request.mkBaseName;
    if (!mkName.empty()) MkFiles = WriteMkFiles(Image, BinaryZoneUsed, DecimalZoneUsed, mkName);
  }

  // After an error the listing ends up empty: nothing was written before the cut.
  bool written =
      std::fwrite(listingText.data(), 1, listingText.size(), listing.get()) == listingText.size();
  written = std::fflush(listing.get()) == 0 && written;
  std::error_code error;
  std::filesystem::resize_file(request.listingPath, listingText.size(), error);
  listing.reset();
  if (rc == 0 && (!written || error)) {
    Status[1] = Msg(kCantCreateOutput);
    CompiledOk = false;
    return {CompileResult::kCantCreateListing, 0};
  }
  return outcome;
}

}  // namespace calvern
