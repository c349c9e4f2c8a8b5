// The parts of a path as the program names its files: "/" and "\" both separate directories,
// so names typed for another system read the same.
#pragma once

#include <string>

namespace calvern::platform {

// What follows the last separator.
std::string FilePart(const std::string& path);
// Up to and including the last separator; empty for a bare name.
std::string DirectoryPart(const std::string& path);

// How far back an extension may reach.
enum class ExtensionRule {
  kAfterLastDot,   // the characters after the last "." of the file part
  kNoBlankInside,  // the same, but a blank after the last "." means there is no extension
};
// The path without its extension but with its dot ("dir/prog.txt" gives "dir/prog."); a path
// without an extension stays whole.
std::string WithoutExtension(const std::string& path, ExtensionRule rule);

}  // namespace calvern::platform
