// Language files: a translation of the message table, UTF-16 little-endian with a byte-order
// mark, one message per line after a help line, with ";" comment lines anywhere.
#pragma once

#include <string>
#include <vector>

#include "tables/message_table.h"

namespace calvern {

struct LanguageFileResult {
  bool unicode = true;    // the file began with the byte-order mark FF FE
  bool accepted = false;  // the markers [0], [1], [2] stood at messages 0, 48 and 129
  std::string helpFile;   // the help line, unless it starts with "#"
};

// The UTF-8 text of UTF-16LE bytes (an odd last byte is dropped, unpaired surrogates become
// U+FFFD).
std::string Utf16LeToUtf8(const std::string& bytes);

// Reads a language file's bytes into `messages`. When it is accepted, messages 0-129 take the
// translations (with the significant blank of the English text restored at either end);
// otherwise they keep their English defaults.
LanguageFileResult ParseLanguageFile(const std::string& bytes, MessageTable& messages);

}  // namespace calvern
