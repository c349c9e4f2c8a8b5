// The numbered console menu: the screen with the link status box, the ten menu lines and the
// status lines, and the dispatch of a menu key to its action.
#pragma once

#include <string>

#include "shell/application.h"

namespace calvern {

// Draws the screen; the status lines are shown once and emptied.
void DrawScreen(Application& app);

// Runs the action of a menu key ("0" to "9"); other texts do nothing.
void DispatchMenuKey(Application& app, const std::string& key);

// The interactive loop: until key 0, the end of the input or a stop signal; each saves the
// settings.
int RunMainMenu(Application& app);

}  // namespace calvern
