// The help file: the built-in manual written to "calvern-help.txt" and shown in the editor, or
// the help file that the chosen language brings.
#pragma once

#include <string>

#include "shell/application.h"

namespace calvern {

// The manual as the help file holds it: CR LF lines, UTF-8.
std::string HelpFileText();

// Writes the manual to `path`, replacing any older file. False when it cannot be written.
bool WriteHelpFile(const std::string& path);

// Key 6: the language's own help file when it names one, else the manual freshly written.
void ShowHelpFile(Application& app);

}  // namespace calvern
