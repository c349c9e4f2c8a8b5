// Starting the user's editor on a file and the emulator on the MK files just written. The
// editor is waited for (it may be drawn in the terminal); the emulator runs on by itself.
#pragma once

#include <string>

#include "shell/application.h"

namespace calvern {

// Starts the editor with the file as its one argument, in the editor's own directory (the
// current one for a bare program name), and returns when it has ended. True when it could be
// started.
bool OpenWithEditor(Application& app, const std::string& file);

// Key 8: starts the emulator with "-p" and the MK files of the last compilation, after a hint
// when there are none; sets status line 1.
void LaunchEmulator(Application& app, const std::string& emulator);

}  // namespace calvern
