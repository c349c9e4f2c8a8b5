// Finds a language file by the name the user gave: a name with a directory is taken as it
// stands; a bare name is looked for in the current directory, then among the language files
// installed with Calvern.
#pragma once

#include <string>

namespace calvern {

// The path to read for `name`; the current-directory path when the file is found nowhere.
std::string LanguageFilePath(const std::string& name, const std::string& currentDirectory);

}  // namespace calvern
