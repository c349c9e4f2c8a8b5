// The compiler's public surface: a source text in, the calculator's memory image and symbol
// tables out, with the first error or the warnings. The compiler opens no file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compiler/diagnostic.h"
#include "compiler/memory_image.h"
#include "compiler/picture_source.h"
#include "compiler/symbol_tables.h"
#include "tables/keyword_table.h"

namespace calvern {

struct CompileOptions {
  const KeywordTable* keywords = &KeywordTable::BuiltIn();
  // Reads the pictures of #LOADIMAGE; without one, #LOADIMAGE is refused.
  const PictureSource* pictures = nullptr;
  // The source's directory (ending with a separator, empty for the current one): a picture not
  // found under its own name is looked for there by its file part.
  std::string sourceDirectory;
};

// The compiled program: what the listing, the MK files and the link are made from.
struct CompiledProgram {
  MemoryImage image;
  LabelTable labels;
  RegisterNameTable registerNames;
  bool binaryZoneUsed = false;
  bool decimalZoneUsed = false;
  bool namedRegisterUsed = false;
  int userLabelCount = 0;
  int listAllLabels = 0;   // "#LabelList"
  int firstFreeStep = 0;   // the step counter at the end
  int mkFilesRequest = 0;  // "#MKFiles": 0 none, 1 ask for a name, 2 under the MK base name
};

struct CompileResult {
  CompiledProgram program;          // complete only without an error
  std::optional<Diagnostic> error;  // the first error, which stopped the compilation
  std::vector<Diagnostic> warnings;

  bool Ok() const { return !error.has_value(); }
};

// Compiles a source text (bytes as the file holds them).
CompileResult CompileProgram(std::string text, const CompileOptions& options = {});

}  // namespace calvern
