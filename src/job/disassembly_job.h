// One disassembly: read MK files or a code string (and a symbol file), write the source. The
// command line's `calvern disasm` and slave commands 7 and 8 run it.
#pragma once

#include <string>

#include "tables/message_table.h"

namespace calvern {

struct DisassemblyRequest {
  std::string mkFile;       // a file of the MK set ("prog.MKP"), or empty for `codes`
  std::string codes;        // the code string when no MK file is named
  std::string symbolsPath;  // a symbol file whose names the source takes, or empty
  std::string outputPath;   // where the source goes; empty: only returned
};

enum class DisassemblyOutcome {
  kDone,
  kCantReadMkFiles,   // no file of the set, or one that cannot be read
  kNoProgram,         // MK files that are no MK files, or that hold nothing
  kBadCodeLength,     // an empty or odd code string, or one longer than the program zone
  kBadCodeCharacter,  // a character that is no digit
  kCantReadSymbols,   // the symbol file cannot be read or is no symbol file
  kCantWriteSource,   // the source cannot be written, or would replace an input
};

struct DisassemblyResult {
  DisassemblyOutcome outcome = DisassemblyOutcome::kDone;
  MessageId message = kMarker0;  // what went wrong, and the file or detail after it
  std::string detail;
  std::string source;  // the source written
};

DisassemblyResult RunDisassembly(const DisassemblyRequest& request);

// The MK file of the set named by a base ("dir/prog." or "dir/prog", as slave mode's line 4
// gives it) that exists first, program file first; the program file's name when none does.
// A name that is an MK file's already ("dir/prog.MKB") is taken as it is.
std::string MkFileOfBase(const std::string& base);

}  // namespace calvern
