// Files as the program uses them: whole files read at once, files replaced whole so that an
// interruption never leaves a half-written one, and the file-system facts the shell needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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

// Whether two paths name the same file: the same existing file (through links too), or, for
// files still to be made, the same place.
bool SameFile(const std::string& a, const std::string& b);

// Whether the path names something that exists but is not a regular file (a directory, a
// FIFO, a device): such a path is no place for a program's output.
bool ExistsButNotRegular(const std::string& path);

// The whole content of a regular file, or nothing when it cannot be opened or read, is not a
// regular file (a FIFO would wait for a writer forever), or holds more than `maxBytes`.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// The size of a regular file; nothing when the path names no regular file.
std::optional<std::uintmax_t> RegularFileSize(const std::string& path);

// Why a path can't be read or written, as far as the file system tells: the shell says it
// beside "cannot read..." and "cannot write...".
enum class FileProblem {
  kNone,          // nothing known against it (a full disk, a read-only file system...)
  kMissing,       // no file of that name
  kNoDirectory,   // the directory it names does not exist
  kDirectory,     // it is a directory
  kNotRegular,    // a device, a pipe or a socket
  kNoPermission,  // the file or its directory may not be read or written
  kLinkLoop,      // symbolic links that lead round in a circle, or too many of them
  kTooLarge,      // larger than the reader takes
};
FileProblem ReadingProblem(const std::string& path, std::size_t maxBytes);
FileProblem WritingProblem(const std::string& path);

// Writes all of `content` to standard output, as bytes; false when it could not.
[[nodiscard]] bool WriteStandardOutput(std::string_view content);
// The same on standard error, for messages: nothing to do when it fails.
void WriteStandardError(std::string_view content);

// Renames a file, in place of any file of the new name; false when it failed.
bool RenameFile(const std::string& from, const std::string& to);

// Removes a file; false when there was one and it could not be removed.
bool RemoveFile(const std::string& path);

// Whether a replaced file is forced to the disk before it takes the old one's place. Outputs
// that a compilation makes again need not wait for the disk; the user's settings do.
enum class Durability { kRenameOnly, kSyncToDisk };

// Whether the new file may take the place of an existing one of that name.
enum class Placement { kReplace, kNeverReplace };

// A file being replaced: the new content goes to a temporary file created beside the target,
// which takes the target's name only when Commit succeeds. Until then the old file is
// untouched; a file never committed is removed, also when a signal ends the program. A
// target that is a symbolic link is followed: the file it leads to is replaced, beside
// itself, and the link stays.
class ReplacementFile {
 public:
  // Creates the temporary file; nullptr when the directory does not allow it or the target
  // exists and is not a regular file (WritingProblem says why).
  static std::unique_ptr<ReplacementFile> Create(const std::string& path);
  virtual ~ReplacementFile() = default;
  // Writes a part of the content to the temporary file, for a content made a part at a time
  // (the listing); false when it failed, and Commit then fails too.
  [[nodiscard]] virtual bool Append(std::string_view part) = 0;
  // Writes the (rest of the) content and puts the file in place of the target.
  [[nodiscard]] virtual bool Commit(std::string_view content,
                                    Durability durability = Durability::kRenameOnly,
                                    Placement placement = Placement::kReplace) = 0;
};

// Replaces `path` with `content` through a ReplacementFile. False when it failed; the old file
// is then as it was.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view content,
                                       Durability durability = Durability::kRenameOnly);

// Writes a new file in the same way, forced to the disk, but never in place of an existing
// one: false when `path` exists by the time the file is complete.
[[nodiscard]] bool WriteNewFile(const std::string& path, std::string_view content);

}  // namespace calvern::platform
