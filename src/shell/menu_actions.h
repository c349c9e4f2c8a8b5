// The actions of the main menu keys.
#pragma once

#include <optional>
#include <string>

#include "shell/application.h"

namespace calvern {

// Key 1: choose the source; derives the listing and MK names from it.
void ChooseSource(Application& app);
// Key 2: compile the current source; the status lines show the outcome. Nothing (and "No
// source selected!") when no source is chosen.
std::optional<CompileJobResult> CompileCurrentSource(Application& app);
// Key 5: choose the editor, then the emulator.
void ChooseEditorAndEmulator(Application& app);
// Key 9: choose the language file.
void ChooseLanguage(Application& app);
// Writes the settings; false when they could not be written.
bool WriteSettings(Application& app);
// Key 0 after the loop: writes the settings; reports a failure and waits for Enter.
void SaveSettings(Application& app);

}  // namespace calvern
