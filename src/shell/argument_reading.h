// `calvern FILE` names either a slave-mode info file or a source to compile. A name that ends
// in ".inf" (any letter case) is an info file, whether it exists or not, as it always was;
// another name that is no regular file is a source (whose compilation then says that it does
// not exist, or is a directory...). Another file is an info file when it reads like one: its third
// line is a menu key (a single digit) and nothing follows its seventh line. Such a file could also
// be a tiny source, so the caller says which reading it took.
#pragma once

#include <string>

namespace calvern {

enum class ArgumentReading { kInfoFile, kSource };

struct ArgumentChoice {
  ArgumentReading reading = ArgumentReading::kInfoFile;
  bool ambiguous = false;  // an existing file not named ".inf" taken as an info file
};

bool HasInfoFileName(const std::string& path);

ArgumentChoice ReadingOfArgument(const std::string& path);

}  // namespace calvern
