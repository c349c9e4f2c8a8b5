// File-system facts the shell needs beyond reading and writing files.
#pragma once

#include <string>
#include <vector>

namespace calvern::platform {

// The working directory, ending with a path separator.
std::string CurrentDirectory();

// The names of the regular files in a directory, sorted.
std::vector<std::string> FilesIn(const std::string& directory);

// The path itself when absolute, else taken from `base` (a directory ending with a separator).
std::string AbsolutePath(const std::string& path, const std::string& base);

// Whether a file, directory or link of that name exists.
bool PathExists(const std::string& path);

// Writes `content` to a new file beside `path` and renames it into place, so that an
// interruption leaves either the old file or the new one whole. False when it fails.
bool ReplaceFile(const std::string& path, const std::string& content);

// As ReplaceFile, but never replaces: false when `path` exists by the time it is complete.
bool WriteNewFile(const std::string& path, const std::string& content);

}  // namespace calvern::platform
