// Starting the user's editor on a file and the emulator on the MK files just written. The
// editor is waited for (it may be drawn in the terminal); the emulator runs on by itself. Both
// settings may carry arguments ("code --wait", "wine /opt/emk/emk.exe"), read by the
// platform's command-line rules without a shell (platform::ReadProgramSetting).
#pragma once

#include <string>

#include "shell/application.h"

namespace calvern {

// Starts the editor with the setting's arguments and the file, in the editor's own directory
// (the current one for a bare program name), and returns when it has ended. True when it
// could be started.
bool OpenWithEditor(Application& app, const std::string& file);

// Key 8: starts the emulator with the setting's arguments, "-p" and the MK files of the last
// compilation, after a hint when there are none; sets status line 1.
void LaunchEmulator(Application& app, const std::string& emulator);

}  // namespace calvern
