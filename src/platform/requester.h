// File requesters and message boxes, shown on the console.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/console.h"

namespace calvern::platform {

// The masks of a filter text made of description/mask pairs each followed by "|"
// ("TXT (*.TXT)|*.TXT|All files (*.*)|*.*" gives *.TXT and *.*).
std::vector<std::string> FilterMasks(const std::string& filter);

// Whether a file name matches a mask with "*" and "?", ignoring case.
bool MatchesMask(const std::string& name, const std::string& mask);

// The longest answer a requester accepts: the longest path the system allows.
inline constexpr std::size_t kMaxAnswerBytes = 4096;

// What an answer names: a file, or a program, which may also be a bare name found on the PATH.
enum class AnswerUse { kFile, kProgram };

struct FileAnswer {
  enum class Kind { kChosen, kCancelled, kTooLong };
  Kind kind = Kind::kCancelled;
  std::string path;  // kChosen: the chosen path
};

// Asks for a file: shows the title and the files of the current directory that match the
// filter, then reads a path (`prompt` is shown before it). A relative answer is taken from the
// current directory and made a full path, except, for a program, a bare name or a command with
// arguments that is no file of the current directory: it stays as typed (for the PATH search,
// or to be read into words when started). Enter alone cancels; an answer longer than
// kMaxAnswerBytes is refused.
FileAnswer ChooseFile(Console& console, const std::string& title, const std::string& filter,
                      const std::string& prompt, AnswerUse use = AnswerUse::kFile);

// Shows a message with an OK button: on a console it waits for Enter; without one it writes
// "title: text" to standard error and returns at once.
void ShowMessageBox(Console& console, const std::string& title, const std::string& text);

}  // namespace calvern::platform
