// File requesters and message boxes, shown on the console.
#pragma once

#include <string>
#include <vector>

#include "platform/console.h"

namespace calvern::platform {

// The masks of a filter text made of description/mask pairs each followed by "|"
// ("TXT (*.TXT)|*.TXT|All files (*.*)|*.*" gives *.TXT and *.*).
std::vector<std::string> FilterMasks(const std::string& filter);

// Whether a file name matches a mask with "*" and "?", ignoring case.
bool MatchesMask(const std::string& name, const std::string& mask);

// Asks for a file: shows the title and the files of the current directory that match the
// filter, then reads a path (`prompt` is shown before it). A relative answer is taken from the
// current directory; the result is the full path, or empty when the user cancelled.
std::string ChooseFile(Console& console, const std::string& title, const std::string& filter,
                       const std::string& prompt);

// Shows a message with an OK button: on a console it waits for Enter; without one it writes
// "title: text" to standard error and returns at once.
void ShowMessageBox(Console& console, const std::string& title, const std::string& text);

}  // namespace calvern::platform
